#pragma once
// Works the plug-in's settings dialog from a second thread while the host's
// thread sits in ConfigurationDlg: finds the dialog, clicks and types into
// it with posted mouse and keyboard messages (the dialog's own message loop
// translates and dispatches them), reports what it shows and takes its
// picture. Each step waits until the dialog's thread has taken everything
// posted before it from its queue, so the steps see each other's effects.
#include <windows.h>

#include <atomic>
#include <string>
#include <thread>

#include "ui/form_controls.h"

namespace karvex::tools {

class DialogDriver {
 public:
  // hostThread will open a dialog owned by owner (null: by no window).
  DialogDriver(DWORD hostThread, HWND owner, std::string script);
  ~DialogDriver();
  DialogDriver(const DialogDriver&) = delete;
  DialogDriver& operator=(const DialogDriver&) = delete;

  void Start();
  // Waits for the script to end; true when every step did what it says.
  bool Finish();

 private:
  static LRESULT CALLBACK OnGetMessage(int code, WPARAM removal, LPARAM message);

  void Run();
  bool RunStep(const std::string& name, const std::string& value);
  bool Fail(const std::string& why);

  HWND Control(FormControl control) const;
  HWND Focused() const;
  bool Barrier();
  bool Click(HWND window);
  bool PressKey(WORD virtualKey);
  bool TypeText(const std::string& text);
  bool ReplaceFieldText(FormControl field, const std::string& text);
  bool ReplaceFieldText(HWND field, const std::string& text);
  bool ClickNamed(const std::string& name);
  bool ClickTab(int index);
  bool AnswerColourChooser(const std::string& answer);

  void Report() const;
  bool ReportOptions();
  void Geometry() const;
  bool AnswerMessage();
  bool Shot(const std::string& path);
  void WaitForClose();

  DWORD hostThread_;
  HWND owner_;
  std::string script_;
  std::thread thread_;
  HWND dialog_ = nullptr;
  HHOOK hook_ = nullptr;
  UINT barrierMessage_ = 0;
  HANDLE barrierSeen_ = nullptr;
  std::atomic<long> barrierPosted_{0};
  std::atomic<long> barrierReached_{0};
  bool ok_ = true;
};

}  // namespace karvex::tools
