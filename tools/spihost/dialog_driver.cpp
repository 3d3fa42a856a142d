#include "spihost/dialog_driver.h"

#include <colordlg.h>
#include <commctrl.h>

#include <cstdio>
#include <cstdlib>
#include <vector>

#include "spihost/window_capture.h"
#include "ui/form_layout.h"

namespace karvex::tools {
namespace {

constexpr int kFindTimeoutMs = 20000;  // Wine's first window of a prefix takes its time
constexpr int kBarrierTimeoutMs = 10000;
constexpr int kCloseTimeoutMs = 10000;
constexpr int kExitStepFailed = 5;

// A hook procedure has no context of its own; one driver runs per process.
std::atomic<DialogDriver*> g_activeDriver{nullptr};
// The barrier message id, for the hook procedure.
std::atomic<UINT> g_barrierMessage{0};

std::string Utf8(const std::wstring& text) {
  if (text.empty()) return {};
  const int size = static_cast<int>(text.size());
  const int length = WideCharToMultiByte(CP_UTF8, 0, text.data(), size, nullptr, 0, nullptr, nullptr);
  std::string bytes(static_cast<std::size_t>(length > 0 ? length : 0), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.data(), size, bytes.data(), length, nullptr, nullptr);
  return bytes;
}

std::wstring TextOf(HWND window) {
  wchar_t buffer[512] = {};
  GetWindowTextW(window, buffer, static_cast<int>(std::size(buffer)));
  return buffer;
}

std::wstring ClassOf(HWND window) {
  wchar_t buffer[64] = {};
  GetClassNameW(window, buffer, static_cast<int>(std::size(buffer)));
  return buffer;
}

struct NamedControl {
  const char* name;
  FormControl control;
};

constexpr NamedControl kNamedControls[] = {
    {"width", FormControl::Edit1},        {"height", FormControl::Edit2},       {"ratio", FormControl::CheckBox5},
    {"default", FormControl::Button1},    {"mode1", FormControl::RadioButton1}, {"mode2", FormControl::RadioButton2},
    {"mode3", FormControl::RadioButton3}, {"ok", FormControl::Button3},         {"cancel", FormControl::Button4},
    {"pages", FormControl::PageControl1}, {"linetypes", FormControl::CheckBox1}, {"colours", FormControl::CheckBox2},
    {"allkinds", FormControl::CheckBox3},   {"defaultcolours", FormControl::Button2},
};

// The colour page's "change" button ("change1" .. "change8") or swatch
// ("swatch1" .. "swatch8") of a colour by its tag: 1 background, 2 to 7 line
// colours 1 to 6, 8 text.
FormControl TaggedControl(const std::string& name) {
  ControlKind kind;
  std::string number;
  if (name.rfind("change", 0) == 0) {
    kind = ControlKind::PushButton;
    number = name.substr(6);
  } else if (name.rfind("swatch", 0) == 0) {
    kind = ControlKind::Swatch;
    number = name.substr(6);
  } else {
    return FormControl::None;
  }
  const int tag = std::atoi(number.c_str());
  for (const ControlLayout& entry : FormLayout()) {
    if (entry.kind == kind && entry.tag == tag && tag != 0) return entry.control;
  }
  return FormControl::None;
}

struct NamedKey {
  const char* name;
  WORD virtualKey;
};

constexpr NamedKey kNamedKeys[] = {
    {"tab", VK_TAB}, {"enter", VK_RETURN}, {"escape", VK_ESCAPE}, {"backspace", VK_BACK}, {"end", VK_END},
    {"space", VK_SPACE}, {"down", VK_DOWN},
};

struct WindowSearch {
  HWND owner;
  HWND found;
};

// The dialog boxes (class #32770) of a thread that belong to one owner.
BOOL CALLBACK MatchDialog(HWND window, LPARAM context) {
  auto* search = reinterpret_cast<WindowSearch*>(context);
  if (!IsWindowVisible(window) || ClassOf(window) != L"#32770") return TRUE;
  if (GetWindow(window, GW_OWNER) != search->owner) return TRUE;
  search->found = window;
  return FALSE;
}

HWND FindOwnedDialog(DWORD thread, HWND owner, int timeoutMs) {
  for (int waited = 0; waited <= timeoutMs; waited += 50) {
    WindowSearch search{owner, nullptr};
    EnumThreadWindows(thread, &MatchDialog, reinterpret_cast<LPARAM>(&search));
    if (search.found != nullptr) return search.found;
    Sleep(50);
  }
  return nullptr;
}

// A rectangle in the client coordinates of another window.
RECT RectIn(HWND window, HWND reference) {
  RECT rect{};
  GetWindowRect(window, &rect);
  MapWindowPoints(nullptr, reference, reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

}  // namespace

DialogDriver::DialogDriver(DWORD hostThread, HWND owner, std::string script)
    : hostThread_(hostThread), owner_(owner != nullptr ? GetAncestor(owner, GA_ROOT) : nullptr), script_(std::move(script)) {
  barrierMessage_ = RegisterWindowMessageW(L"spihost.dialog-driver.barrier");
  barrierSeen_ = CreateEventW(nullptr, FALSE, FALSE, nullptr);
}

DialogDriver::~DialogDriver() {
  if (thread_.joinable()) thread_.join();
  if (barrierSeen_ != nullptr) CloseHandle(barrierSeen_);
}

void DialogDriver::Start() {
  g_barrierMessage = barrierMessage_;
  g_activeDriver = this;
  // Watches every message the host's thread takes from its queue, whichever
  // message loop (the dialog's, a message box's) takes it.
  hook_ = SetWindowsHookExW(WH_GETMESSAGE, &DialogDriver::OnGetMessage, nullptr, hostThread_);
  thread_ = std::thread([this] { Run(); });
}

bool DialogDriver::Finish() {
  if (thread_.joinable()) thread_.join();
  if (hook_ != nullptr) UnhookWindowsHookEx(hook_);
  hook_ = nullptr;
  g_activeDriver = nullptr;
  return ok_;
}

LRESULT CALLBACK DialogDriver::OnGetMessage(int code, WPARAM removal, LPARAM message) {
  auto* msg = reinterpret_cast<MSG*>(message);
  DialogDriver* driver = g_activeDriver;
  if (code == HC_ACTION && removal == PM_REMOVE && driver != nullptr && msg->message == g_barrierMessage.load()) {
    driver->barrierReached_ = static_cast<long>(msg->wParam);
    SetEvent(driver->barrierSeen_);
    msg->message = WM_NULL;  // nothing of the dialog's own
  }
  return CallNextHookEx(nullptr, code, removal, message);
}

// A step that closes the dialog is complete once the dialog is gone: its
// queue goes with it, barrier and all.
bool DialogDriver::Barrier() {
  const long number = ++barrierPosted_;
  if (!PostMessageW(dialog_, barrierMessage_, static_cast<WPARAM>(number), 0)) return !IsWindow(dialog_);
  for (int waited = 0; barrierReached_.load() < number; waited += 20) {
    if (!IsWindow(dialog_)) return true;
    if (waited >= kBarrierTimeoutMs) return false;
    WaitForSingleObject(barrierSeen_, 20);
  }
  return true;
}

void DialogDriver::Run() {
  if (hook_ == nullptr) Fail("no message hook on the host's thread: steps cannot wait for each other");
  dialog_ = FindOwnedDialog(hostThread_, owner_, kFindTimeoutMs);
  if (dialog_ == nullptr) {
    Fail("no dialog appeared");
    return;
  }
  std::printf("dialog-found\n");
  std::size_t start = 0;
  while (ok_ && start <= script_.size()) {
    std::size_t end = script_.find(';', start);
    if (end == std::string::npos) end = script_.size();
    const std::string step = script_.substr(start, end - start);
    start = end + 1;
    if (step.empty()) continue;
    const std::size_t equals = step.find('=');
    const std::string name = step.substr(0, equals);
    const std::string value = equals == std::string::npos ? std::string() : step.substr(equals + 1);
    if (!RunStep(name, value)) Fail("step " + step + " failed");
  }
  WaitForClose();
}

bool DialogDriver::RunStep(const std::string& name, const std::string& value) {
  if (name == "width") return ReplaceFieldText(FormControl::Edit1, value);
  if (name == "height") return ReplaceFieldText(FormControl::Edit2, value);
  if (name == "click") return ClickNamed(value);
  if (name == "ok" || name == "cancel" || name == "default") return ClickNamed(name);
  if (name == "type") return TypeText(value);
  if (name == "key") {
    for (const NamedKey& key : kNamedKeys) {
      if (value == key.name) return PressKey(key.virtualKey);
    }
    return false;
  }
  if (name == "close") {  // what the title bar's close box sends
    return PostMessageW(dialog_, WM_SYSCOMMAND, SC_CLOSE, 0) && Barrier();
  }
  if (name == "report") {
    Report();
    return true;
  }
  if (name == "geometry") {
    Geometry();
    return true;
  }
  if (name == "message") return AnswerMessage();
  if (name == "tab") return ClickTab(std::atoi(value.c_str()));
  if (name == "choose") return AnswerColourChooser(value);
  if (name == "options") return ReportOptions();
  if (name == "shot") return Shot(value);
  if (name == "wait") {
    Sleep(static_cast<DWORD>(std::atoi(value.c_str())));
    return true;
  }
  return false;
}

bool DialogDriver::Fail(const std::string& why) {
  std::printf("driver-error %s\n", why.c_str());
  ok_ = false;
  return false;
}

HWND DialogDriver::Control(FormControl control) const { return GetDlgItem(dialog_, ControlId(control)); }

HWND DialogDriver::Focused() const {
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  if (!GetGUIThreadInfo(hostThread_, &info)) return nullptr;
  return info.hwndFocus;
}

bool DialogDriver::Click(HWND window) {
  if (window == nullptr) return false;
  RECT client{};
  GetClientRect(window, &client);
  const LPARAM point = MAKELPARAM(client.right / 2, client.bottom / 2);
  return PostMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, point) && Barrier() &&
         PostMessageW(window, WM_LBUTTONUP, 0, point) && Barrier();
}

bool DialogDriver::ClickNamed(const std::string& name) {
  for (const NamedControl& named : kNamedControls) {
    if (name == named.name) return Click(Control(named.control));
  }
  const FormControl tagged = TaggedControl(name);
  return tagged != FormControl::None && Click(Control(tagged));
}

// A click in the middle of a tab of the page control.
bool DialogDriver::ClickTab(int index) {
  HWND pages = Control(FormControl::PageControl1);
  RECT tab{};
  if (pages == nullptr || !SendMessageW(pages, TCM_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&tab))) {
    return false;
  }
  const LPARAM point = MAKELPARAM((tab.left + tab.right) / 2, (tab.top + tab.bottom) / 2);
  return PostMessageW(pages, WM_LBUTTONDOWN, MK_LBUTTON, point) && Barrier() &&
         PostMessageW(pages, WM_LBUTTONUP, 0, point) && Barrier();
}

// The platform's colour chooser, opened over the dialog: "cancel", or a
// colour RRGGBB typed into its red, green and blue fields (opened out with
// its "define custom colours" button first), then its OK.
bool DialogDriver::AnswerColourChooser(const std::string& answer) {
  HWND chooser = FindOwnedDialog(hostThread_, dialog_, kFindTimeoutMs);
  if (chooser == nullptr) return false;
  std::printf("chooser-found\n");
  if (answer == "cancel") return Click(GetDlgItem(chooser, IDCANCEL));
  if (answer.size() != 6) return false;
  const unsigned long rgb = std::strtoul(answer.c_str(), nullptr, 16);
  HWND mix = GetDlgItem(chooser, COLOR_MIX);
  if (mix != nullptr && IsWindowEnabled(mix) && !Click(mix)) return false;
  const int fields[] = {COLOR_RED, COLOR_GREEN, COLOR_BLUE};
  for (int i = 0; i < 3; ++i) {
    const unsigned long channel = rgb >> (16 - 8 * i) & 0xFF;
    if (!ReplaceFieldText(GetDlgItem(chooser, fields[i]), std::to_string(channel))) return false;
  }
  return Click(GetDlgItem(chooser, IDOK));
}

// A key as the keyboard sends it to the focused window: down, then up. The
// dialog's loop translates the key-down into the character message, which
// reaches the field before the barrier after the key-up.
bool DialogDriver::PressKey(WORD virtualKey) {
  HWND target = Focused();
  if (target == nullptr) target = dialog_;
  const LPARAM scan = static_cast<LPARAM>(MapVirtualKeyW(virtualKey, MAPVK_VK_TO_VSC)) << 16;
  return PostMessageW(target, WM_KEYDOWN, virtualKey, scan | 1) && Barrier() &&
         PostMessageW(target, WM_KEYUP, virtualKey, scan | 1 | (LPARAM{3} << 30)) && Barrier();
}

bool DialogDriver::TypeText(const std::string& text) {
  for (char c : text) {
    const SHORT mapping = VkKeyScanW(static_cast<wchar_t>(static_cast<unsigned char>(c)));
    const bool plainKey = mapping != -1 && HIBYTE(mapping) == 0;
    if (plainKey) {
      if (!PressKey(LOBYTE(mapping))) return false;
    } else {  // a character no single key gives: the character message alone
      HWND target = Focused();
      if (target == nullptr || !PostMessageW(target, WM_CHAR, static_cast<unsigned char>(c), 1) || !Barrier()) {
        return false;
      }
    }
  }
  return true;
}

bool DialogDriver::ReplaceFieldText(FormControl field, const std::string& text) {
  return ReplaceFieldText(Control(field), text);
}

bool DialogDriver::ReplaceFieldText(HWND window, const std::string& text) {
  if (!Click(window) || !PressKey(VK_END)) return false;
  const auto length = static_cast<int>(SendMessageW(window, WM_GETTEXTLENGTH, 0, 0));
  for (int i = 0; i < length; ++i) {
    if (!PressKey(VK_BACK)) return false;
  }
  return TypeText(text);
}

void DialogDriver::Report() const {
  int mode = 0;
  for (int i = 0; i < 3; ++i) {
    HWND button = Control(static_cast<FormControl>(static_cast<int>(FormControl::RadioButton1) + i));
    if (SendMessageW(button, BM_GETCHECK, 0, 0) == BST_CHECKED) mode = i + 1;
  }
  HWND focus = Focused();
  const FormControl focused = GetParent(focus) == dialog_ ? ControlFromId(GetDlgCtrlID(focus)) : FormControl::None;
  std::printf("dialog width %s height %s ratio %d mode %d focus %s\n", Utf8(TextOf(Control(FormControl::Edit1))).c_str(),
              Utf8(TextOf(Control(FormControl::Edit2))).c_str(),
              SendMessageW(Control(FormControl::CheckBox5), BM_GETCHECK, 0, 0) == BST_CHECKED ? 1 : 0, mode,
              std::string(ControlName(focused)).c_str());
}

// The option boxes, the tabs, the page shown and the swatches' colours
// (RRGGBB, read off the screen in the middle of each swatch).
bool DialogDriver::ReportOptions() {
  // The swatches are read off the screen: everything painted first.
  RedrawWindow(dialog_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
  if (!Barrier()) return false;
  auto ticked = [&](FormControl box) { return SendMessageW(Control(box), BM_GETCHECK, 0, 0) == BST_CHECKED ? 1 : 0; };
  HWND pages = Control(FormControl::PageControl1);
  std::string swatches;
  for (int tag = 1; tag <= 8; ++tag) {
    HWND swatch = Control(TaggedControl("swatch" + std::to_string(tag)));
    RECT client{};
    GetClientRect(swatch, &client);
    HDC dc = GetDC(swatch);
    const COLORREF colour = GetPixel(dc, client.right / 2, client.bottom / 2);
    ReleaseDC(swatch, dc);
    char text[8];
    std::snprintf(text, sizeof text, "%02x%02x%02x", GetRValue(colour), GetGValue(colour), GetBValue(colour));
    if (tag > 1) swatches += ' ';
    swatches += IsWindowVisible(swatch) ? text : "hidden";
  }
  std::printf("options types %d colours %d kinds %d tabs %d page %d swatches %s\n", ticked(FormControl::CheckBox1),
              ticked(FormControl::CheckBox2), ticked(FormControl::CheckBox3), static_cast<int>(SendMessageW(pages, TCM_GETITEMCOUNT, 0, 0)),
              static_cast<int>(SendMessageW(pages, TCM_GETCURSEL, 0, 0)), swatches.c_str());
  return true;
}

void DialogDriver::Geometry() const {
  std::printf("caption %s\n", Utf8(TextOf(dialog_)).c_str());
  RECT client{};
  GetClientRect(dialog_, &client);
  std::printf("client %ld %ld\n", static_cast<long>(client.right), static_cast<long>(client.bottom));
  RECT frame{};
  GetWindowRect(dialog_, &frame);
  RECT ownerFrame{};
  if (owner_ != nullptr && GetWindowRect(owner_, &ownerFrame)) {
    std::printf("offset %ld %ld\n", static_cast<long>(frame.left - ownerFrame.left),
                static_cast<long>(frame.top - ownerFrame.top));
  }
  std::printf("position %ld %ld %ld %ld\n", static_cast<long>(frame.left), static_cast<long>(frame.top),
              static_cast<long>(frame.right - frame.left), static_cast<long>(frame.bottom - frame.top));
  RECT work{};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  std::printf("work-area %ld %ld %ld %ld\n", static_cast<long>(work.left), static_cast<long>(work.top),
              static_cast<long>(work.right - work.left), static_cast<long>(work.bottom - work.top));
  const bool resizable = (GetWindowLongW(dialog_, GWL_STYLE) & WS_THICKFRAME) != 0;
  std::printf("resizable %d\n", resizable ? 1 : 0);

  auto font = reinterpret_cast<HFONT>(SendMessageW(Control(FormControl::Edit1), WM_GETFONT, 0, 0));
  LOGFONTW face{};
  if (font != nullptr && GetObjectW(font, sizeof face, &face) == sizeof face) {
    std::printf("font %s %ld %d\n", Utf8(face.lfFaceName).c_str(), static_cast<long>(face.lfHeight), face.lfCharSet);
  }
  HWND pages = Control(FormControl::PageControl1);
  const auto tabCount = static_cast<int>(SendMessageW(pages, TCM_GETITEMCOUNT, 0, 0));
  std::string tabs;
  for (int i = 0; i < tabCount; ++i) {
    wchar_t text[64] = {};
    TCITEMW item{};
    item.mask = TCIF_TEXT;
    item.pszText = text;
    item.cchTextMax = static_cast<int>(std::size(text));
    SendMessageW(pages, TCM_GETITEMW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item));
    if (i > 0) tabs += ' ';
    tabs += Utf8(text);
  }
  std::printf("tabs %s\n", tabs.c_str());
  for (FormControl field : {FormControl::Edit1, FormControl::Edit2}) {
    std::printf("limit %s %ld\n", std::string(ControlName(field)).c_str(),
                static_cast<long>(SendMessageW(Control(field), EM_GETLIMITTEXT, 0, 0)));
  }
  for (const ControlLayout& entry : FormLayout()) {
    HWND window = Control(entry.control);
    if (window == nullptr) continue;
    const RECT rect = RectIn(window, dialog_);
    std::printf("control %s %ld %ld %ld %ld %s %s %s\n", std::string(ControlName(entry.control)).c_str(),
                static_cast<long>(rect.left), static_cast<long>(rect.top), static_cast<long>(rect.right - rect.left),
                static_cast<long>(rect.bottom - rect.top), IsWindowVisible(window) ? "visible" : "hidden",
                IsWindowEnabled(window) ? "enabled" : "disabled", Utf8(TextOf(window)).c_str());
  }
}

bool DialogDriver::AnswerMessage() {
  HWND box = FindOwnedDialog(hostThread_, dialog_, kFindTimeoutMs);
  if (box == nullptr) return false;
  std::printf("message-caption %s\n", Utf8(TextOf(box)).c_str());
  std::printf("message %s\n", Utf8(TextOf(GetDlgItem(box, 0xFFFF))).c_str());  // a message box's text control
  return Click(GetDlgItem(box, IDOK));
}

bool DialogDriver::Shot(const std::string& path) {
  // Everything drawn and on top before the screen is read.
  SetWindowPos(dialog_, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  RedrawWindow(dialog_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
  if (!Barrier()) return false;
  Sleep(300);
  const std::vector<std::uint8_t> bmp = CaptureWindowBmp(dialog_);
  if (bmp.empty()) return false;
  FILE* file = std::fopen(path.c_str(), "wb");
  if (file == nullptr) return false;
  const bool written = std::fwrite(bmp.data(), 1, bmp.size(), file) == bmp.size();
  if (std::fclose(file) != 0 || !written) return false;
  std::printf("shot %s\n", path.c_str());
  return true;
}

void DialogDriver::WaitForClose() {
  for (int waited = 0; waited < kCloseTimeoutMs; waited += 50) {
    if (!IsWindow(dialog_)) return;
    Sleep(50);
  }
  Fail("the dialog is still open after the script");
  PostMessageW(dialog_, WM_CLOSE, 0, 0);
  for (int waited = 0; waited < kCloseTimeoutMs; waited += 50) {
    if (!IsWindow(dialog_)) return;
    Sleep(50);
  }
  // The host's thread would wait for ever: end the run here.
  std::fflush(stdout);
  TerminateProcess(GetCurrentProcess(), kExitStepFailed);
}

}  // namespace karvex::tools
