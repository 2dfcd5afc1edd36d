#include "app_win32/win32_control_binding.h"

#include <commctrl.h>

#include "app_win32/win32_view_style.h"
#include "platform/win32/wide_text.h"

namespace zb {
namespace {

// Control ids start above the menus' ids.
constexpr int kFirstControlId = 1000;

}  // namespace

ControlBinding::ControlBinding(HWND window, UINT dpi)
    : window_(window),
      dpi_(dpi),
      tips_(CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP,
                            CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, window,
                            nullptr, GetModuleHandleW(nullptr), nullptr)) {
  // Long tips wrap rather than run off the screen.
  SendMessageW(tips_, TTM_SETMAXTIPWIDTH, 0, Pixels(6000, dpi_));
}

ControlBinding::~ControlBinding() {
  for (auto& entry : entries_) entry->control->Unobserve(entry->observer);
  for (auto& entry : entries_) DestroyWindow(entry->handle);
  DestroyWindow(tips_);
  for (auto& [colour, brush] : brushes_) DeleteObject(brush);
}

HWND ControlBinding::Make(Control& control, const wchar_t* windowClass, DWORD style,
                          const Place& place, std::function<void(HWND)> showAlso,
                          Command onCommand) {
  const int id = kFirstControlId + static_cast<int>(entries_.size());
  HWND handle = CreateWindowExW(0, windowClass, L"", WS_CHILD | WS_CLIPSIBLINGS | style, 0, 0, 0, 0,
                                window_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                GetModuleHandleW(nullptr), nullptr);
  auto entry = std::make_unique<Entry>(
      Entry{&control, handle, place, std::move(showAlso), std::move(onCommand), {}, {}, 0});
  Entry* kept = entry.get();
  entries_.push_back(std::move(entry));
  ShowEntry(*kept);
  kept->observer = control.Observe([this, kept] { ShowEntry(*kept); });
  return handle;
}

ControlBinding::Place ControlBinding::Inside(const Control& container, const Place& outer) const {
  const RECT r = PixelRect(container.Bounds(), outer.origin, dpi_);
  return Place{{r.left, r.top}, container.BackColor().value_or(outer.ground), outer.page};
}

void ControlBinding::SetTipSource(const Control& control, std::function<std::string()> source) {
  for (auto& entry : entries_) {
    if (entry->control != &control) continue;
    entry->tipSource = source;
    ShowTip(*entry);
  }
}

std::string ControlBinding::TipOf(const Control& control) const {
  for (const auto& entry : entries_) {
    if (entry->control == &control) return Utf8FromWide(entry->tip);
  }
  return {};
}

HWND ControlBinding::HandleOf(const Control& control) const {
  for (const auto& entry : entries_) {
    if (entry->control == &control) return entry->handle;
  }
  return nullptr;
}

Control* ControlBinding::ControlOf(HWND handle) const {
  for (const auto& entry : entries_) {
    if (entry->handle == handle) return entry->control;
  }
  return nullptr;
}

void ControlBinding::Show(const Control& control) {
  for (auto& entry : entries_) {
    if (entry->control == &control) ShowEntry(*entry);
  }
}

void ControlBinding::ShowPage(int page) {
  page_ = page;
  for (auto& entry : entries_) {
    if (entry->place.page >= 0) ShowEntry(*entry);
  }
}

bool ControlBinding::Notify(int id, int code) {
  const int index = id - kFirstControlId;
  if (index < 0 || index >= static_cast<int>(entries_.size())) return false;
  Entry& entry = *entries_[static_cast<std::size_t>(index)];
  if (entry.onCommand && !Quiet()) entry.onCommand(code);
  return true;
}

HBRUSH ControlBinding::Colour(HWND handle, HDC dc) {
  for (const auto& entry : entries_) {
    if (entry->handle != handle) continue;
    const COLORREF ground = ToColorRef(entry->control->BackColor().value_or(entry->place.ground));
    SetTextColor(dc, IsWindowEnabled(handle) ? ToColorRef(entry->control->ForeColor())
                                             : GetSysColor(COLOR_GRAYTEXT));
    SetBkColor(dc, ground);
    HBRUSH& brush = brushes_[ground];
    if (!brush) brush = CreateSolidBrush(ground);
    return brush;
  }
  return nullptr;
}

void ControlBinding::ShowEntry(Entry& entry) {
  ++quiet_;
  const Control& c = *entry.control;
  HWND h = entry.handle;
  const RECT place = PixelRect(c.Bounds(), entry.place.origin, dpi_);
  RECT now{};
  GetWindowRect(h, &now);
  MapWindowPoints(nullptr, window_, reinterpret_cast<POINT*>(&now), 2);
  if (!EqualRect(&place, &now)) {
    MoveWindow(h, place.left, place.top, place.right - place.left, place.bottom - place.top, TRUE);
  }
  HFONT font = WindowFont(c.Font(), dpi_);
  if (reinterpret_cast<HFONT>(SendMessageW(h, WM_GETFONT, 0, 0)) != font) {
    SendMessageW(h, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
  }
  if (entry.showAlso) entry.showAlso(h);
  EnableWindow(h, c.Enabled());
  const bool visible = c.Visible() && (entry.place.page < 0 || entry.place.page == page_);
  // The style, not IsWindowVisible: the window itself may still be hidden.
  const bool shown = (GetWindowLongW(h, GWL_STYLE) & WS_VISIBLE) != 0;
  if (visible != shown) ShowWindow(h, visible ? SW_SHOWNA : SW_HIDE);
  ShowTip(entry);
  --quiet_;
}

void ControlBinding::ShowTip(Entry& entry) {
  std::wstring tip = WideFromUtf8(entry.tipSource ? entry.tipSource() : entry.control->ToolTip());
  if (tip == entry.tip) return;
  TTTOOLINFOW tool{};
  tool.cbSize = sizeof tool;
  tool.hwnd = window_;
  tool.uId = reinterpret_cast<UINT_PTR>(entry.handle);
  tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
  const bool had = !entry.tip.empty();
  entry.tip = std::move(tip);
  tool.lpszText = entry.tip.data();
  if (entry.tip.empty()) {
    SendMessageW(tips_, TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
  } else {
    SendMessageW(tips_, had ? TTM_UPDATETIPTEXTW : TTM_ADDTOOLW, 0,
                 reinterpret_cast<LPARAM>(&tool));
  }
}

}  // namespace zb
