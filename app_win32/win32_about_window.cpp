#include "app_win32/win32_about_window.h"

#include <string>

#include "app_win32/win32_controls.h"
#include "app_win32/win32_view_style.h"
#include "platform/win32/wide_text.h"

namespace zb {
namespace {

constexpr wchar_t kClassName[] = L"ZorbelleAbout";
constexpr DWORD kStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU;
constexpr int kClientWidth = 8400, kClientHeight = 7080;  // twips
constexpr int kIconId = 1;

// An edit control shows lines ended by CR LF only.
std::wstring WithCrLf(const std::string& text) {
  std::wstring lines;
  for (wchar_t c : WideFromUtf8(text)) {
    if (c == L'\r') continue;
    if (c == L'\n') lines += L'\r';
    lines += c;
  }
  return lines;
}

HWND MakeReadOnlyText(ControlBinding& b, TextBox& text, const ControlBinding::Place& place) {
  return b.Make(text, L"EDIT",
                ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL | WS_VSCROLL | WS_HSCROLL | WS_BORDER |
                    WS_TABSTOP,
                place, [&text](HWND h) { SetWindowTextW(h, WithCrLf(text.Text()).c_str()); });
}

}  // namespace

Win32AboutWindow::Win32AboutWindow(HWND owner, Platform& platform)
    : owner_(owner), about_(platform, [this] { closed_ = true; }) {
  static const bool registered = [] {
    WNDCLASSEXW kind{};
    kind.cbSize = sizeof kind;
    kind.lpfnWndProc = &Procedure;
    kind.hInstance = GetModuleHandleW(nullptr);
    kind.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // IDC_ARROW
    kind.hbrBackground = GetSysColorBrush(COLOR_3DFACE);
    kind.lpszClassName = kClassName;
    return RegisterClassExW(&kind) != 0;
  }();
  static_cast<void>(registered);
  window_ =
      CreateWindowExW(WS_EX_DLGMODALFRAME, kClassName, L"", kStyle, CW_USEDEFAULT, CW_USEDEFAULT, 0,
                      0, owner, nullptr, GetModuleHandleW(nullptr), nullptr);
  SetWindowLongPtrW(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  const UINT dpi = GetDpiForWindow(window_);
  controls_ = std::make_unique<ControlBinding>(window_, dpi ? dpi : USER_DEFAULT_SCREEN_DPI);
  Form_Load(about_);
  Arrange();
}

Win32AboutWindow::~Win32AboutWindow() {
  SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
  DestroyWindow(window_);
}

void Win32AboutWindow::Arrange() {
  // The model has no places for the box's controls; the view lays them out
  // as the Qt one does, top to bottom.
  AboutForm& f = about_.form;
  ControlBinding& b = *controls_;
  const UINT dpi = b.Dpi();
  SetWindowTextW(window_, WideFromUtf8(f.Window.Caption()).c_str());
  RECT outer{0, 0, Pixels(kClientWidth, dpi), Pixels(kClientHeight, dpi)};
  AdjustWindowRectExForDpi(&outer, kStyle, FALSE, WS_EX_DLGMODALFRAME, dpi);
  RECT owner{};
  GetWindowRect(owner_, &owner);
  SetWindowPos(window_, nullptr, owner.left + Pixels(600, dpi), owner.top + Pixels(600, dpi),
               outer.right - outer.left, outer.bottom - outer.top, SWP_NOZORDER | SWP_NOACTIVATE);

  f.picIcon.Move(240, 240, 720, 720);
  f.lblTitle.Move(1200, 240, 6900, 480);
  f.lblTitle.SetFont({16, true});
  f.lblVersion.Move(1200, 720, 6900, 300);
  f.lblDescription.Move(240, 1140, 7920, 900);
  f.Text1.Move(240, 2100, 7920, 3000);
  f.Label12.Move(240, 5220, 7920, 270);
  f.Label13.Move(240, 5520, 7920, 270);
  f.Label5.Move(240, 5820, 7920, 270);
  f.Command1.Move(240, 6450, 1800, 420);
  f.cmdSysInfo.Move(4560, 6450, 1740, 420);
  f.cmdOK.Move(6420, 6450, 1740, 420);

  // The texts sit on the dialog's own face colour.
  const COLORREF face = GetSysColor(COLOR_3DFACE);
  const ControlBinding::Place place{
      {0, 0}, Rgb{GetRValue(face), GetGValue(face), GetBValue(face)}, -1};
  HWND icon = b.Make(f.picIcon, L"STATIC", SS_ICON | SS_REALSIZECONTROL, place);
  const int side = Pixels(720, dpi);
  auto* image = static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(kIconId),
                                              IMAGE_ICON, side, side, LR_DEFAULTCOLOR));
  if (image) SendMessageW(icon, STM_SETICON, reinterpret_cast<WPARAM>(image), 0);
  for (Label* label : {&f.lblTitle, &f.lblVersion, &f.lblDescription}) MakeLabel(b, *label, place);
  MakeReadOnlyText(b, f.Text1, place);
  for (Label* label : {&f.Label12, &f.Label13, &f.Label5}) MakeLabel(b, *label, place);
  const RECT line = PixelRect({240, 6270, 7920, 30}, {0, 0}, dpi);
  CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE | SS_ETCHEDHORZ, line.left, line.top,
                  line.right - line.left, line.bottom - line.top, window_, nullptr,
                  GetModuleHandleW(nullptr), nullptr);
  for (CommandButton* button : {&f.Command1, &f.cmdSysInfo, &f.cmdOK})
    MakeButton(b, *button, place);
}

void Win32AboutWindow::RunModal() {
  EnableWindow(owner_, FALSE);
  ShowWindow(window_, SW_SHOWNORMAL);
  SetFocus(HandleOf(about_.form.cmdOK));
  MSG message;
  while (!closed_ && GetMessageW(&message, nullptr, 0, 0) > 0) {
    if (IsDialogMessageW(window_, &message)) continue;
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  if (message.message == WM_QUIT) PostQuitMessage(static_cast<int>(message.wParam));
  // The owner comes back before this box goes, so that it takes the activation.
  EnableWindow(owner_, TRUE);
  ShowWindow(window_, SW_HIDE);
  SetActiveWindow(owner_);
}

LRESULT CALLBACK Win32AboutWindow::Procedure(HWND window, UINT message, WPARAM w, LPARAM l) {
  auto* self = reinterpret_cast<Win32AboutWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (!self || !self->controls_) return DefWindowProcW(window, message, w, l);
  switch (message) {
    case WM_COMMAND:
      // Escape and Enter reach a dialog's window as IDCANCEL and IDOK.
      if (LOWORD(w) == IDCANCEL || LOWORD(w) == IDOK) {
        self->about_.form.cmdOK.Press();
      } else if (l != 0) {
        self->controls_->Notify(LOWORD(w), HIWORD(w));
      }
      return 0;
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
      if (HBRUSH brush =
              self->controls_->Colour(reinterpret_cast<HWND>(l), reinterpret_cast<HDC>(w))) {
        return reinterpret_cast<LRESULT>(brush);
      }
      break;
    case WM_CLOSE:
      self->closed_ = true;
      return 0;
    default:
      break;
  }
  return DefWindowProcW(window, message, w, l);
}

}  // namespace zb
