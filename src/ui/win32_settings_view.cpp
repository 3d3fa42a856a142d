#include "ui/win32_settings_view.h"

#include <commctrl.h>
#include <commdlg.h>

#include "base/failures.h"
#include "ui/form_texts.h"
#include "ui/win32_dialog_template.h"
#include "ui/win32_text.h"

namespace karvex {
namespace {

constexpr DWORD kFormStyle = DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU;
constexpr DWORD kFormExStyle = WS_EX_DLGMODALFRAME;
// The template's font gives the dialog its dialog units; 9 points is the
// form's 12 pixels at 96 dots per inch. The controls get a font made
// exactly, in the Shift-JIS character set, once they exist.
constexpr WORD kTemplateFontPoints = 9;

struct Point {
  int x = 0;
  int y = 0;
};

// The page a control stands on; null for the form's own controls.
const ControlLayout* PageOf(const ControlLayout& entry) {
  for (const ControlLayout* at = &entry; at != nullptr; at = FindLayout(at->parent)) {
    if (at->kind == ControlKind::TabSheet) return at;
  }
  return nullptr;
}

bool UnderHiddenTab(const ControlLayout& entry) {
  const ControlLayout* page = PageOf(entry);
  return page != nullptr && page->tabHidden;
}

DWORD StyleOf(const ControlLayout& entry) {
  DWORD style = WS_CHILD;
  if (!UnderHiddenTab(entry)) style |= WS_VISIBLE;
  if (!entry.enabled) style |= WS_DISABLED;
  switch (entry.kind) {
    case ControlKind::PageControl: return style | WS_TABSTOP | WS_GROUP | WS_CLIPSIBLINGS;
    case ControlKind::TabSheet: return style;
    case ControlKind::GroupBox: return style | BS_GROUPBOX;
    case ControlKind::Label: return style | SS_LEFT | SS_NOPREFIX;
    case ControlKind::Edit: return style | WS_TABSTOP | WS_GROUP | ES_LEFT | ES_AUTOHSCROLL;
    case ControlKind::CheckBox: return style | WS_TABSTOP | WS_GROUP | BS_AUTOCHECKBOX | BS_NOTIFY;
    case ControlKind::PushButton: return style | WS_TABSTOP | WS_GROUP | BS_PUSHBUTTON | BS_NOTIFY;
    // One group for the three: arrow keys move between them, and the
    // dialog manager keeps the tab stop on the selected one.
    case ControlKind::RadioButton:
      return style | BS_AUTORADIOBUTTON | BS_NOTIFY |
             (entry.control == FormControl::RadioButton1 ? WS_GROUP | WS_TABSTOP : 0);
    case ControlKind::Swatch: return style | SS_OWNERDRAW;
    case ControlKind::Bevel: return style | SS_ETCHEDVERT;
  }
  return style;
}

DWORD ExStyleOf(const ControlLayout& entry) { return entry.kind == ControlKind::Edit ? WS_EX_CLIENTEDGE : 0; }

// A rough place in dialog units, for the template only: the dialog puts
// every control on its exact pixels when it opens.
DialogTemplate::Frame RoughFrame(const ControlLayout& entry) {
  auto x = [](int pixels) { return static_cast<short>(pixels * 4 / 6); };
  auto y = [](int pixels) { return static_cast<short>(pixels * 8 / 12); };
  return {x(entry.left), y(entry.top), x(entry.width), y(entry.height)};
}

// The template: every control a child of the dialog, in tab order, and the
// page control last. Being last puts it at the bottom of the z-order, under
// the controls of its page, and at the end of the tab cycle, which is where
// the design has it too (just before the first field).
void BuildTemplate(DialogTemplate& dialogTemplate) {
  const ControlLayout* pageControl = nullptr;
  for (const ControlLayout& entry : FormLayout()) {
    if (entry.kind == ControlKind::TabSheet) continue;  // a page is a frame of reference, not a window
    if (entry.kind == ControlKind::PageControl) {
      pageControl = &entry;
      continue;
    }
    const WORD id = static_cast<WORD>(ControlId(entry.control));
    const std::wstring text = entry.caption != nullptr ? WideFromCp932(entry.caption) : std::wstring();
    WORD atom = DialogTemplate::kStaticClass;
    if (entry.kind == ControlKind::Edit) atom = DialogTemplate::kEditClass;
    if (entry.kind == ControlKind::GroupBox || entry.kind == ControlKind::CheckBox ||
        entry.kind == ControlKind::PushButton || entry.kind == ControlKind::RadioButton) {
      atom = DialogTemplate::kButtonClass;
    }
    dialogTemplate.AddItem(StyleOf(entry), ExStyleOf(entry), RoughFrame(entry), id, atom, text);
  }
  if (pageControl != nullptr) {
    dialogTemplate.AddItem(StyleOf(*pageControl), 0, RoughFrame(*pageControl),
                           static_cast<WORD>(ControlId(pageControl->control)), WC_TABCONTROLW, L"");
  }
}

}  // namespace

Win32SettingsView::Win32SettingsView(HINSTANCE instance, HWND parent, Settings& settings)
    : instance_(instance), parent_(parent != nullptr && IsWindow(parent) ? parent : nullptr), form_(settings, *this) {
  form_.FormCreate();
  for (int tag = 1; tag <= 8; ++tag) shownSwatches_[static_cast<std::size_t>(tag - 1)] = form_.SwatchColor(tag);
  customColors_.fill(RGB(255, 255, 255));
}

Win32SettingsView::~Win32SettingsView() {
  if (font_ != nullptr) DeleteObject(font_);
}

void Win32SettingsView::RunModal() {
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_TAB_CLASSES};
  InitCommonControlsEx(&controls);
  DialogTemplate dialogTemplate(kFormStyle, kFormExStyle,
                                {0, 0, static_cast<short>(kFormClientWidth * 4 / 6),
                                 static_cast<short>(kFormClientHeight * 8 / 12)},
                                WideFromCp932(form_texts::kDialogCaption), kTemplateFontPoints,
                                WideFromCp932(form_texts::kDialogFontFace));
  BuildTemplate(dialogTemplate);
  const INT_PTR shown = DialogBoxIndirectParamW(instance_, dialogTemplate.Get(), parent_, &Win32SettingsView::DialogProc,
                                                reinterpret_cast<LPARAM>(this));
  dialog_ = nullptr;
  if (failure_) std::rethrow_exception(failure_);
  if (shown == -1) throw ResourceFailure("the settings dialog cannot be made");
}

INT_PTR CALLBACK Win32SettingsView::DialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    SetWindowLongPtrW(dialog, DWLP_USER, lParam);
    auto* view = reinterpret_cast<Win32SettingsView*>(lParam);
    view->dialog_ = dialog;
  }
  auto* view = reinterpret_cast<Win32SettingsView*>(GetWindowLongPtrW(dialog, DWLP_USER));
  if (view == nullptr) return FALSE;
  // Nothing may unwind through the system's frames: a failure closes the
  // dialog and is raised again once DialogBox has returned.
  try {
    return view->HandleMessage(message, wParam, lParam);
  } catch (...) {
    if (!view->failure_) view->failure_ = std::current_exception();
    EndDialog(dialog, 0);
    return TRUE;
  }
}

Win32SettingsView* Win32SettingsView::FromControl(HWND control) {
  return reinterpret_cast<Win32SettingsView*>(GetWindowLongPtrW(GetParent(control), DWLP_USER));
}

LRESULT CALLBACK Win32SettingsView::FieldProc(HWND field, UINT message, WPARAM wParam, LPARAM lParam) {
  Win32SettingsView* view = FromControl(field);
  // The filter runs before the field sees a character: what it refuses
  // never reaches the text.
  if (message == WM_CHAR && !view->form_.Edit1KeyPress(static_cast<char32_t>(wParam))) return 0;
  return CallWindowProcW(view->fieldClassProc_, field, message, wParam, lParam);
}

LRESULT CALLBACK Win32SettingsView::SwatchProc(HWND swatch, UINT message, WPARAM wParam, LPARAM lParam) {
  Win32SettingsView* view = FromControl(swatch);
  if (message == WM_LBUTTONDOWN || message == WM_RBUTTONDOWN || message == WM_MBUTTONDOWN) {
    const ControlLayout* entry = FindLayout(ControlFromId(GetDlgCtrlID(swatch)));
    if (entry != nullptr) {
      try {
        view->Forward([&] { view->form_.Shape2MouseDown(entry->tag); });
      } catch (...) {
        if (!view->failure_) view->failure_ = std::current_exception();
        EndDialog(view->dialog_, 0);
      }
    }
    return 0;
  }
  return CallWindowProcW(view->swatchClassProc_, swatch, message, wParam, lParam);
}

INT_PTR Win32SettingsView::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      OnInitDialog();
      return FALSE;  // the form has put the focus where it belongs
    case WM_COMMAND:
      // Enter and Escape arrive as IDOK and IDCANCEL; no control has those
      // identifiers, so they press nothing.
      if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) return TRUE;
      OnCommand(ControlFromId(LOWORD(wParam)), HIWORD(wParam), reinterpret_cast<HWND>(lParam));
      return TRUE;
    case WM_NOTIFY: {
      const auto* header = reinterpret_cast<const NMHDR*>(lParam);
      if (ControlFromId(static_cast<int>(header->idFrom)) != FormControl::PageControl1) return FALSE;
      if (header->code == static_cast<UINT>(TCN_SELCHANGE)) {
        ShowPage(static_cast<int>(SendMessageW(header->hwndFrom, TCM_GETCURSEL, 0, 0)));
        return TRUE;
      }
      if (header->code != static_cast<UINT>(NM_SETFOCUS)) return FALSE;
      Forward([&] { form_.FocusEntered(FormControl::PageControl1); });
      return TRUE;
    }
    case WM_DRAWITEM:
      OnDrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
      return TRUE;
    case WM_CLOSE:  // the close box
      Forward([&] { form_.Button4Click(); });
      return TRUE;
    default:
      return FALSE;
  }
}

void Win32SettingsView::OnInitDialog() {
  LOGFONTW face{};
  face.lfHeight = -kFormFontHeight;
  face.lfWeight = FW_NORMAL;
  face.lfCharSet = SHIFTJIS_CHARSET;
  const std::wstring faceName = WideFromCp932(form_texts::kDialogFontFace);
  faceName.copy(face.lfFaceName, LF_FACESIZE - 1);
  font_ = CreateFontIndirectW(&face);
  SetUpControls();
  PlaceControls();
  PlaceForm();
  Forward([&] { form_.FormShow(); });
}

void Win32SettingsView::SetUpControls() {
  for (const ControlLayout& entry : FormLayout()) {
    HWND window = Window(entry.control);
    if (window == nullptr) continue;
    SendMessageW(window, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
    if (entry.kind == ControlKind::Edit) {
      SendMessageW(window, EM_SETLIMITTEXT, TForm1::kFieldLimit, 0);
      fieldClassProc_ = reinterpret_cast<WNDPROC>(
          SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Win32SettingsView::FieldProc)));
    } else if (entry.kind == ControlKind::Swatch) {
      swatchClassProc_ = reinterpret_cast<WNDPROC>(
          SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Win32SettingsView::SwatchProc)));
    }
  }
  HWND pages = Window(FormControl::PageControl1);
  SendMessageW(pages, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
  int tabIndex = 0;
  for (const ControlLayout& entry : FormLayout()) {
    if (entry.kind != ControlKind::TabSheet || entry.tabHidden) continue;
    std::wstring caption = WideFromCp932(entry.caption);
    TCITEMW item{};
    item.mask = TCIF_TEXT;
    item.pszText = caption.data();
    SendMessageW(pages, TCM_INSERTITEMW, static_cast<WPARAM>(tabIndex++), reinterpret_cast<LPARAM>(&item));
  }
}

void Win32SettingsView::PlaceControls() {
  HWND pages = Window(FormControl::PageControl1);
  const ControlLayout* pageLayout = FindLayout(FormControl::PageControl1);
  SetWindowPos(pages, nullptr, pageLayout->left, pageLayout->top, pageLayout->width, pageLayout->height,
               SWP_NOZORDER | SWP_NOACTIVATE);
  // A page covers the tab control's display area.
  RECT display{};
  GetClientRect(pages, &display);
  SendMessageW(pages, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&display));

  // Where a control's parent has its client origin, in the form's client area.
  auto originOf = [&](FormControl parent) {
    Point origin;
    for (const ControlLayout* at = FindLayout(parent); at != nullptr; at = FindLayout(at->parent)) {
      if (at->kind == ControlKind::TabSheet) {
        origin.x += display.left;
        origin.y += display.top;
      } else {
        origin.x += at->left;
        origin.y += at->top;
      }
    }
    return origin;
  };

  HDC dc = GetDC(dialog_);
  HGDIOBJ previousFont = SelectObject(dc, font_);
  TEXTMETRICW metrics{};
  GetTextMetricsW(dc, &metrics);
  for (const ControlLayout& entry : FormLayout()) {
    if (entry.kind == ControlKind::PageControl || entry.kind == ControlKind::TabSheet) continue;
    HWND window = Window(entry.control);
    if (window == nullptr) continue;
    int width = entry.width;
    int height = entry.height;
    if (entry.kind == ControlKind::Label) {  // labels take the size of their caption
      const std::wstring caption = WideFromCp932(entry.caption);
      SIZE extent{};
      GetTextExtentPoint32W(dc, caption.c_str(), static_cast<int>(caption.size()), &extent);
      width = extent.cx;
      height = metrics.tmHeight;
    }
    const Point origin = originOf(entry.parent);
    SetWindowPos(window, nullptr, origin.x + entry.left, origin.y + entry.top, width, height,
                 SWP_NOZORDER | SWP_NOACTIVATE);
  }
  SelectObject(dc, previousFont);
  ReleaseDC(dialog_, dc);
}

void Win32SettingsView::PlaceForm() {
  // The frame's size comes from the window as the system made it, so the
  // client area is exactly the form's whatever the border metrics are.
  RECT window{};
  RECT client{};
  GetWindowRect(dialog_, &window);
  GetClientRect(dialog_, &client);
  const int width = kFormClientWidth + (window.right - window.left) - (client.right - client.left);
  const int height = kFormClientHeight + (window.bottom - window.top) - (client.bottom - client.top);
  int x = 0;
  int y = 0;
  RECT parent{};
  if (parent_ != nullptr && GetWindowRect(parent_, &parent)) {
    x = parent.left + kFormOffsetX;
    y = parent.top + kFormOffsetY;
  } else {  // no parent to stand by: the middle of the screen
    RECT work{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    x = work.left + (work.right - work.left - width) / 2;
    y = work.top + (work.bottom - work.top - height) / 2;
  }
  SetWindowPos(dialog_, nullptr, x, y, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

void Win32SettingsView::OnCommand(FormControl control, int code, HWND window) {
  const ControlLayout* entry = FindLayout(control);
  if (entry == nullptr) return;
  if (code == EN_SETFOCUS || code == BN_SETFOCUS) {
    Forward([&] { form_.FocusEntered(control); });
    return;
  }
  if (code == EN_CHANGE) {
    if (busy_) return;  // our own write
    const std::string text = WindowTextCp932(window);
    Forward([&] { form_.SetText(control, text); });
    return;
  }
  if (code != BN_CLICKED) return;
  switch (control) {
    case FormControl::Button1: Forward([&] { form_.Button1Click(); }); return;
    case FormControl::Button2: Forward([&] { form_.Button2Click(); }); return;
    case FormControl::Button3: Forward([&] { form_.Button3Click(); }); return;
    case FormControl::Button4: Forward([&] { form_.Button4Click(); }); return;
    case FormControl::CheckBox5:
    case FormControl::CheckBox1:
    case FormControl::CheckBox2:
    case FormControl::CheckBox3: {
      const bool ticked = SendMessageW(window, BM_GETCHECK, 0, 0) == BST_CHECKED;
      Forward([&] {
        if (control == FormControl::CheckBox5) form_.SetPaperRatio(ticked);
        if (control == FormControl::CheckBox1) form_.SetLineTypes(ticked);
        if (control == FormControl::CheckBox2) form_.SetLineColours(ticked);
        if (control == FormControl::CheckBox3) form_.SetAllKinds(ticked);
      });
      return;
    }
    case FormControl::RadioButton1:
    case FormControl::RadioButton2:
    case FormControl::RadioButton3: {
      const int mode = 1 + static_cast<int>(control) - static_cast<int>(FormControl::RadioButton1);
      Forward([&] { form_.ChooseMode(mode); });
      return;
    }
    default:
      if (entry->kind == ControlKind::PushButton && entry->tag != 0) Forward([&] { form_.Button5Click(entry->tag); });
      return;
  }
}

void Win32SettingsView::OnDrawItem(const DRAWITEMSTRUCT& item) {
  const ControlLayout* entry = FindLayout(ControlFromId(static_cast<int>(item.CtlID)));
  if (entry == nullptr || entry->kind != ControlKind::Swatch) return;
  // A filled rectangle with a black outline.
  HBRUSH fill = CreateSolidBrush(form_.SwatchColor(entry->tag));
  FillRect(item.hDC, &item.rcItem, fill);
  DeleteObject(fill);
  FrameRect(item.hDC, &item.rcItem, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
}

HWND Win32SettingsView::Window(FormControl control) const { return GetDlgItem(dialog_, ControlId(control)); }

void Win32SettingsView::ShowPage(int tab) {
  const FormControl shown = tab == 1 ? FormControl::TabSheet2 : FormControl::TabSheet1;
  for (const ControlLayout& entry : FormLayout()) {
    const ControlLayout* page = PageOf(entry);
    if (page == nullptr || entry.kind == ControlKind::TabSheet) continue;
    ShowWindow(Window(entry.control), page->control == shown ? SW_SHOW : SW_HIDE);
  }
}

void Win32SettingsView::ShowColourTab() {
  HWND pages = Window(FormControl::PageControl1);
  const auto tabs = static_cast<int>(SendMessageW(pages, TCM_GETITEMCOUNT, 0, 0));
  if (form_.ColourPageShown() && tabs == 1) {
    std::wstring caption = WideFromCp932(form_texts::kTabSheet2Caption);
    TCITEMW item{};
    item.mask = TCIF_TEXT;
    item.pszText = caption.data();
    SendMessageW(pages, TCM_INSERTITEMW, 1, reinterpret_cast<LPARAM>(&item));
  } else if (!form_.ColourPageShown() && tabs == 2) {
    // The box that hides the tab stands on the first page, so that page is
    // the one shown; all the same, never leave the colour page up alone.
    if (SendMessageW(pages, TCM_GETCURSEL, 0, 0) == 1) {
      SendMessageW(pages, TCM_SETCURSEL, 0, 0);
      ShowPage(0);
    }
    SendMessageW(pages, TCM_DELETEITEM, 1, 0);
  }
}

template <typename Operation>
void Win32SettingsView::Forward(Operation operation) {
  if (busy_ || form_.Closed()) return;
  busy_ = true;
  struct Release {
    bool& flag;
    ~Release() { flag = false; }
  } release{busy_};
  operation();
  Refresh();
}

void Win32SettingsView::Refresh() {
  for (FormControl field : {FormControl::Edit1, FormControl::Edit2}) {
    HWND window = Window(field);
    if (WindowTextCp932(window) != form_.Text(field)) SetWindowTextW(window, WideFromCp932(form_.Text(field)).c_str());
  }
  if (selectAllIn_ != nullptr) SendMessageW(selectAllIn_, EM_SETSEL, 0, -1);
  selectAllIn_ = nullptr;
  SendMessageW(Window(FormControl::CheckBox5), BM_SETCHECK, form_.PaperRatioTicked() ? BST_CHECKED : BST_UNCHECKED, 0);
  SendMessageW(Window(FormControl::CheckBox1), BM_SETCHECK, form_.LineTypesTicked() ? BST_CHECKED : BST_UNCHECKED, 0);
  SendMessageW(Window(FormControl::CheckBox2), BM_SETCHECK, form_.LineColoursTicked() ? BST_CHECKED : BST_UNCHECKED,
               0);
  SendMessageW(Window(FormControl::CheckBox3), BM_SETCHECK, form_.AllKindsTicked() ? BST_CHECKED : BST_UNCHECKED, 0);
  ShowColourTab();
  for (int mode = 1; mode <= 3; ++mode) {
    HWND button = Window(static_cast<FormControl>(static_cast<int>(FormControl::RadioButton1) + mode - 1));
    SendMessageW(button, BM_SETCHECK, form_.SelectedMode() == mode ? BST_CHECKED : BST_UNCHECKED, 0);
    EnableWindow(button, TForm1::ModeEnabled(mode) ? TRUE : FALSE);
  }
  for (const ControlLayout& entry : FormLayout()) {
    if (entry.kind != ControlKind::Swatch) continue;
    ColorValue& shown = shownSwatches_[static_cast<std::size_t>(entry.tag - 1)];
    if (shown == form_.SwatchColor(entry.tag)) continue;
    shown = form_.SwatchColor(entry.tag);
    InvalidateRect(Window(entry.control), nullptr, TRUE);
  }
  if (form_.Closed()) EndDialog(dialog_, 0);
}

void Win32SettingsView::ShowMessage(const std::string& text) {
  MessageBoxW(dialog_, WideFromCp932(text).c_str(), WideFromCp932(form_texts::kMessageCaption).c_str(), MB_OK);
}

void Win32SettingsView::MoveFocus(FormControl control) {
  HWND window = Window(control);
  if (window == nullptr) return;
  SetFocus(window);
  // A field that a handler puts the focus into has its text selected, so
  // what the user types next replaces it; Refresh selects once the text is
  // in place.
  const ControlLayout* entry = FindLayout(control);
  if (entry != nullptr && entry->kind == ControlKind::Edit) selectAllIn_ = window;
}

bool Win32SettingsView::ChooseColor(ColorValue& colour) {
  CHOOSECOLORW chooser{};
  chooser.lStructSize = sizeof chooser;
  chooser.hwndOwner = dialog_;
  chooser.rgbResult = colour;
  chooser.lpCustColors = customColors_.data();
  chooser.Flags = CC_RGBINIT;
  if (!ChooseColorW(&chooser)) return false;
  colour = chooser.rgbResult;
  return true;
}

}  // namespace karvex
