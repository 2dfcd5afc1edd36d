#include "app_win32/win32_main_window.h"

#include <commctrl.h>

#include "app_win32/win32_about_window.h"
#include "app_win32/win32_controls.h"
#include "app_win32/win32_path_field.h"
#include "app_win32/win32_view_style.h"
#include "form/design_colors.h"
#include "platform/win32/wide_text.h"
#include "window/focus.h"
#include "window/form_lifecycle.h"

namespace zb {
namespace {

constexpr UINT kMoveFolderList = WM_APP + 1;
constexpr UINT kFocusMoved = WM_APP + 2;
constexpr wchar_t kClassName[] = L"ZorbelleMainWindow";
constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
// The icon resource's id in the program (zorbelle.rc).
constexpr int kIconId = 1;

void RegisterOnce() {
  static const bool registered = [] {
    WNDCLASSEXW kind{};
    kind.cbSize = sizeof kind;
    kind.lpfnWndProc = DefWindowProcW;
    kind.hInstance = GetModuleHandleW(nullptr);
    kind.hIcon = LoadIconW(kind.hInstance, MAKEINTRESOURCEW(kIconId));
    kind.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // IDC_ARROW
    kind.lpszClassName = kClassName;
    return RegisterClassExW(&kind) != 0;
  }();
  static_cast<void>(registered);
}

RECT ClientRectOf(HWND child) {
  RECT r{};
  GetWindowRect(child, &r);
  MapWindowPoints(nullptr, GetParent(child), reinterpret_cast<POINT*>(&r), 2);
  return r;
}

void FillRect(HDC dc, const RECT& r, Rgb colour) {
  HBRUSH brush = CreateSolidBrush(ToColorRef(colour));
  ::FillRect(dc, &r, brush);
  DeleteObject(brush);
}

}  // namespace

Win32MainWindow::Win32MainWindow(Program& program) : program_(program) {
  RegisterOnce();
  window_ = CreateWindowExW(0, kClassName, L"", kStyle, CW_USEDEFAULT, CW_USEDEFAULT, 0, 0, nullptr,
                            nullptr, GetModuleHandleW(nullptr), nullptr);
  SetWindowLongPtrW(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  SetWindowLongPtrW(window_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Procedure));
  menus_ = std::make_unique<MenuBinding>(program_.form);
  SetMenu(window_, menus_->Bar());
  const UINT dpi = GetDpiForWindow(window_);
  Build(dpi ? dpi : USER_DEFAULT_SCREEN_DPI);
  RECT outer{0, 0, Pixels(MainForm::kClientWidth, Dpi()), Pixels(MainForm::kClientHeight, Dpi())};
  AdjustWindowRectExForDpi(&outer, kStyle, TRUE, 0, Dpi());
  SetWindowPos(window_, nullptr, 0, 0, outer.right - outer.left, outer.bottom - outer.top,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  FollowWindow();
  program_.ShowAboutDialog = [this] {
    Win32AboutWindow about(window_, program_.platform);
    about.RunModal();
  };
}

Win32MainWindow::~Win32MainWindow() {
  program_.form.Window.Unobserve(windowObserver_);
  program_.ShowAboutDialog = nullptr;
  // Destroying the controls moves the focus; the form must not hear of it.
  SetWindowLongPtrW(window_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&DefWindowProcW));
  controls_.reset();
  DestroyWindow(window_);
  menus_.reset();
}

void Win32MainWindow::Build(UINT dpi) {
  // The old controls go before the new ones come, and tell no one.
  controls_.reset();
  DestroyWindow(pageBackdrop_);
  controls_ = std::make_unique<ControlBinding>(window_, dpi);
  MainForm& f = program_.form;
  const ControlBinding::Place top{{0, 0}, kPlainBackground, -1};
  BuildSearchFolder();
  BuildOutputFolder();
  BuildOptionTabs();
  BuildOperationAndStatus();
  MakePlainWindow(*controls_, f.Picture1, top);
  MakeLabel(*controls_, f.lblVersion, top);
  MakeLabel(*controls_, f.Label4, top);
  MakeButton(*controls_, f.cmdInternet, top);
  StackContainers();
}

void Win32MainWindow::BuildSearchFolder() {
  MainForm& f = program_.form;
  ControlBinding& b = *controls_;
  const ControlBinding::Place top{{0, 0}, kPlainBackground, -1};
  MakeFrame(b, f.Frame6, top);
  const ControlBinding::Place in = b.Inside(f.Frame6, top);
  MakePathField(b, f.txtOLEKensaku, in, kFocusMoved);
  MakeDriveList(b, f.Drive1, in);
  MakeFolderList(b, f.Dir1, in, kMoveFolderList);
  MakeFileList(b, f.File1, in);
  MakeCheckBox(b, f.chkSubDir, in);
}

void Win32MainWindow::BuildOutputFolder() {
  MainForm& f = program_.form;
  ControlBinding& b = *controls_;
  const ControlBinding::Place top{{0, 0}, kPlainBackground, -1};
  MakeFrame(b, f.Frame5, top);
  const ControlBinding::Place in = b.Inside(f.Frame5, top);
  MakeCheckBox(b, f.chkSameDir, in);
  MakeCheckBox(b, f.chkLelative, in);
  MakePathField(b, f.txtOLESakusei, in, kFocusMoved);
  MakeButton(b, f.cmdWriteDirSet, in);
}

void Win32MainWindow::BuildOptionTabs() {
  MainForm& f = program_.form;
  ControlBinding& b = *controls_;
  const ControlBinding::Place top{{0, 0}, kPlainBackground, -1};
  tabs_ = MakeTabs(b, f.SSTab1, top);
  // The pages' controls sit inside the strip, below its tabs.
  RECT area = ClientRectOf(tabs_);
  SendMessageW(tabs_, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&area));
  pageBackdrop_ =
      CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, area.left,
                      area.top, area.right - area.left, area.bottom - area.top, window_, nullptr,
                      GetModuleHandleW(nullptr), nullptr);
  ControlBinding::Place page{{area.left, area.top}, kSilver, 0};

  page.page = 0;
  MakeCheckBox(b, f.chkGazoHtml, page);
  MakeCheckBox(b, f.chkBmp, page);
  MakeCheckBox(b, f.chkHtmlBr, page);
  MakeFrame(b, f.Frame1, page);
  MakeScrollBar(b, f.hscGazoSuu, b.Inside(f.Frame1, page));
  MakeLabel(b, f.lGazosu, b.Inside(f.Frame1, page));
  MakeFrame(b, f.Frame4, page);
  MakeScrollBar(b, f.hscThumbnail, b.Inside(f.Frame4, page));
  MakeLabel(b, f.LblThumbnail, b.Inside(f.Frame4, page));

  page.page = 1;
  MakeFrame(b, f.frmOptWin2, page);
  for (OptionButton& option : f.optWin2) MakeOptionButton(b, option, b.Inside(f.frmOptWin2, page));
  // On the frame's edge as its title, yet not inside it: the frame is
  // disabled while the box is clear, and the box must stay usable.
  MakeCheckBox(b, f.chkTable1, page);
  MakeFrame(b, f.frmTable1, page);
  const ControlBinding::Place table = b.Inside(f.frmTable1, page);
  MakeLabel(b, f.Label2, table);
  MakeComboBox(b, f.cmbGazoSuu, table);
  MakeLabel(b, f.Label3, table);
  MakeComboBox(b, f.cmbFontSize, table);
  MakeCheckBox(b, f.chkFileName, table);

  page.page = 2;
  MakeCheckBox(b, f.chkAllFileList, page);
  MakeLabel(b, f.Label8, page);
  MakeCheckBox(b, f.chkXLS2PRN, page);
  b.ShowPage(f.SSTab1.Tab());
}

void Win32MainWindow::BuildOperationAndStatus() {
  MainForm& f = program_.form;
  ControlBinding& b = *controls_;
  const ControlBinding::Place top{{0, 0}, kPlainBackground, -1};
  MakeFrame(b, f.Frame3, top);
  const ControlBinding::Place operation = b.Inside(f.Frame3, top);
  MakeButton(b, f.cmdStart, operation);
  MakeButton(b, f.cmdStop, operation);
  MakeButton(b, f.cmdView, operation);
  for (Label& arrow : f.lblAnnai) MakeLabel(b, arrow, operation);

  MakeFrame(b, f.Frame7, top);
  const ControlBinding::Place status = b.Inside(f.Frame7, top);
  MakeCheckBox(b, f.chkSpeed, status);
  for (Label* label : {&f.Label1, &f.LblDirMax, &f.Label7, &f.LblFileCount, &f.LblComment}) {
    MakeLabel(b, *label, status);
  }
}

void Win32MainWindow::StackContainers() {
  // Lowest last: the controls above the frames, the frames on the tab pages
  // above the pages' backdrop, that above the tab strip.
  MainForm& f = program_.form;
  auto sink = [](HWND h) {
    SetWindowPos(h, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  };
  for (Frame* frame : {&f.Frame1, &f.Frame4, &f.frmOptWin2, &f.frmTable1}) {
    sink(HandleOf(*frame));
  }
  sink(pageBackdrop_);
  sink(tabs_);
  for (Frame* frame : {&f.Frame6, &f.Frame5, &f.Frame3, &f.Frame7}) sink(HandleOf(*frame));
}

void Win32MainWindow::FollowWindow() {
  FormWindow& window = program_.form.Window;
  auto show = [this, &window] {
    SetWindowTextW(window_, WideFromUtf8(window.Caption()).c_str());
    const POINT wanted{Pixels(window.Bounds().left, Dpi()), Pixels(window.Bounds().top, Dpi())};
    RECT now{};
    GetWindowRect(window_, &now);
    if (now.left != wanted.x || now.top != wanted.y) {
      SetWindowPos(window_, nullptr, wanted.x, wanted.y, 0, 0,
                   SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    // The backdrop follows the background option.
    RedrawWindow(window_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
  };
  show();
  windowObserver_ = window.Observe(show);
}

void Win32MainWindow::MeasureForCentring() {
  program_.screen.width = Twips(GetSystemMetrics(SM_CXSCREEN), Dpi());
  program_.screen.height = Twips(GetSystemMetrics(SM_CYSCREEN), Dpi());
  RECT outer{};
  GetWindowRect(window_, &outer);
  const Bounds place = program_.form.Window.Bounds();
  program_.form.Window.Move(place.left, place.top, Twips(outer.right - outer.left, Dpi()),
                            Twips(outer.bottom - outer.top, Dpi()));
}

void Win32MainWindow::PaintBackdrop(HDC dc) {
  RECT client{};
  GetClientRect(window_, &client);
  if (program_.form.Window.WhiteBackground()) {
    FillRect(dc, client, kPlainBackground);
  } else {
    constexpr int kBands = 256;
    for (int i = 0; i < kBands; ++i) {
      const RECT band{0, i * client.bottom / kBands, client.right,
                      (i + 1) * client.bottom / kBands};
      const std::uint8_t fade = static_cast<std::uint8_t>(255 - i);
      FillRect(dc, band, Rgb{fade, fade, 255});
    }
  }
}

void Win32MainWindow::FocusMoved() {
  // While a message box or another window is in front, the window's own
  // focus control keeps its place.
  HWND focus = GetFocus();
  if (!focus || GetAncestor(focus, GA_ROOT) != window_) return;
  FocusMovedTo(program_, dynamic_cast<TextBox*>(controls_->ControlOf(focus)));
}

bool Win32MainWindow::TranslateKeys(MSG& message) {
  // The menus' shortcuts come first, wherever the focus is in the window.
  if (TranslateAcceleratorW(window_, menus_->Accelerators(), &message)) return true;
  return IsDialogMessageW(window_, &message) != FALSE;
}

void Win32MainWindow::PumpMessages() {
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(message.wParam));
      return;
    }
    if (TranslateKeys(message)) continue;
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
}

int Win32MainWindow::RunMessageLoop() {
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    if (TranslateKeys(message)) continue;
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return static_cast<int>(message.wParam);
}

LRESULT CALLBACK Win32MainWindow::Procedure(HWND window, UINT message, WPARAM w, LPARAM l) {
  auto* self = reinterpret_cast<Win32MainWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  return self ? self->Handle(message, w, l) : DefWindowProcW(window, message, w, l);
}

LRESULT Win32MainWindow::Handle(UINT message, WPARAM w, LPARAM l) {
  // While the controls are made anew, the old ones' last notifications.
  if (!controls_) return DefWindowProcW(window_, message, w, l);
  MainForm& f = program_.form;
  switch (message) {
    case WM_COMMAND:
      if (l != 0) {
        controls_->Notify(LOWORD(w), HIWORD(w));
      } else if (LOWORD(w) == IDOK) {
        // Enter outside the path fields: in the folder list it opens the folder.
        HWND list = HandleOf(f.Dir1);
        const LRESULT row = SendMessageW(list, LB_GETCURSEL, 0, 0);
        if (GetFocus() == list && row >= 0) {
          PostMessageW(window_, kMoveFolderList, static_cast<WPARAM>(row), 0);
        }
      } else {
        menus_->Choose(LOWORD(w));
      }
      return 0;
    case WM_HSCROLL:
      if (auto* bar = dynamic_cast<ScrollBar*>(controls_->ControlOf(reinterpret_cast<HWND>(l)))) {
        SCROLLINFO info{sizeof info, SIF_TRACKPOS, 0, 0, 0, 0, 0};
        GetScrollInfo(reinterpret_cast<HWND>(l), SB_CTL, &info);
        ScrollBarMoved(*bar, LOWORD(w), info.nTrackPos);
        controls_->Show(*bar);
      }
      return 0;
    case WM_NOTIFY: {
      const auto* header = reinterpret_cast<const NMHDR*>(l);
      if (header->hwndFrom == tabs_ && header->code == TCN_SELCHANGE) TabChosen(f.SSTab1, tabs_);
      return 0;
    }
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN: {
      HDC dc = reinterpret_cast<HDC>(w);
      if (reinterpret_cast<HWND>(l) == pageBackdrop_) {
        SetDCBrushColor(dc, ToColorRef(kSilver));
        return reinterpret_cast<LRESULT>(GetStockObject(DC_BRUSH));
      }
      if (HBRUSH brush = controls_->Colour(reinterpret_cast<HWND>(l), dc)) {
        return reinterpret_cast<LRESULT>(brush);
      }
      break;
    }
    case WM_ERASEBKGND:
      PaintBackdrop(reinterpret_cast<HDC>(w));
      return 1;
    case WM_ACTIVATE:
      if (LOWORD(w) == WA_INACTIVE) {
        HWND focus = GetFocus();
        if (focus && IsChild(window_, focus)) lastFocus_ = focus;
        return 0;
      }
      SetFocus(lastFocus_ && IsWindowEnabled(lastFocus_) ? lastFocus_ : window_);
      Form_Activate(program_);
      return 0;
    case WM_CLOSE:
      if (Form_QueryUnload(program_)) Form_Unload(program_);
      return 0;
    case kMoveFolderList:
      if (w < f.Dir1.Items().size()) f.Dir1.SetPath(f.Dir1.Items()[w]);
      return 0;
    case WM_DPICHANGED: {
      // Moved to a monitor of another density: the controls are made anew
      // for it, in the place the system suggests.
      Build(HIWORD(w));
      const RECT* suggested = reinterpret_cast<const RECT*>(l);
      SetWindowPos(window_, nullptr, suggested->left, suggested->top,
                   suggested->right - suggested->left, suggested->bottom - suggested->top,
                   SWP_NOZORDER | SWP_NOACTIVATE);
      return 0;
    }
    case kFocusMoved:
      FocusMoved();
      return 0;
    default:
      break;
  }
  return DefWindowProcW(window_, message, w, l);
}

}  // namespace zb
