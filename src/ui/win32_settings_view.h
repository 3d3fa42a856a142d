#pragma once
// The settings form as a modal Win32 dialog. The dialog only forwards its
// controls' notifications to the form model and copies the model's texts
// and states back onto the controls; everything the dialog does is decided
// by the model.
#include <windows.h>

#include <array>
#include <exception>
#include <string>

#include "settings/settings.h"
#include "ui/form_layout.h"
#include "ui/settings_form.h"

namespace karvex {

class Win32SettingsView final : private SettingsFormHost {
 public:
  // Creates the form (running FormCreate); nothing is shown yet.
  Win32SettingsView(HINSTANCE instance, HWND parent, Settings& settings);
  ~Win32SettingsView();
  Win32SettingsView(const Win32SettingsView&) = delete;
  Win32SettingsView& operator=(const Win32SettingsView&) = delete;

  // Shows the dialog over the parent window and returns once it has closed.
  // A failure inside the dialog closes it and is raised here.
  void RunModal();

 private:
  static INT_PTR CALLBACK DialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
  static LRESULT CALLBACK FieldProc(HWND field, UINT message, WPARAM wParam, LPARAM lParam);
  static LRESULT CALLBACK SwatchProc(HWND swatch, UINT message, WPARAM wParam, LPARAM lParam);
  static Win32SettingsView* FromControl(HWND control);

  INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
  void OnInitDialog();
  void OnCommand(FormControl control, int code, HWND window);
  void OnDrawItem(const DRAWITEMSTRUCT& item);
  void SetUpControls();
  void PlaceControls();
  void PlaceForm();
  HWND Window(FormControl control) const;
  // Shows the controls of the page at this tab (0: the first page, 1: the
  // colour page) and hides the other page's.
  void ShowPage(int tab);
  // The colour page's tab there or not, as the form wants it.
  void ShowColourTab();

  // Runs a model operation with the controls' notifications held back, then
  // copies the model's state onto the controls.
  template <typename Operation>
  void Forward(Operation operation);
  void Refresh();

  // SettingsFormHost
  void ShowMessage(const std::string& text) override;
  void MoveFocus(FormControl control) override;
  bool ChooseColor(ColorValue& colour) override;

  HINSTANCE instance_;
  HWND parent_;
  TForm1 form_;
  HWND dialog_ = nullptr;
  HFONT font_ = nullptr;
  WNDPROC fieldClassProc_ = nullptr;
  WNDPROC swatchClassProc_ = nullptr;
  HWND selectAllIn_ = nullptr;
  bool busy_ = false;
  std::exception_ptr failure_;
  std::array<ColorValue, 8> shownSwatches_{};
  std::array<COLORREF, 16> customColors_{};
};

}  // namespace karvex
