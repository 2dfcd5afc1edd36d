#pragma once

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "app_win32/windows_ui.h"
#include "form/control.h"

namespace zb {

// The window's Win32 controls, each following its model control: enabled,
// visible (and on the current tab page), place, font, colours and tool tip,
// plus what showAlso shows of the kind. While a control is being shown the
// notifications it sends are not the user's input: Quiet() says so.
class ControlBinding {
 public:
  // Where a control sits: its container's top-left in the window's client
  // pixels, the colour behind it, and the tab page it is on (-1: none).
  struct Place {
    POINT origin{};
    Rgb ground{};
    int page = -1;
  };
  using Command = std::function<void(int code)>;

  ControlBinding(HWND window, UINT dpi);
  // Destroys the controls made here.
  ~ControlBinding();
  ControlBinding(const ControlBinding&) = delete;
  ControlBinding& operator=(const ControlBinding&) = delete;

  HWND Make(Control& control, const wchar_t* windowClass, DWORD style, const Place& place,
            std::function<void(HWND)> showAlso = {}, Command onCommand = {});
  // The place of controls inside a container made here.
  Place Inside(const Control& container, const Place& outer) const;

  // Where a control's tool tip comes from, instead of its ToolTip().
  void SetTipSource(const Control& control, std::function<std::string()> source);
  // The tool tip the control has now.
  std::string TipOf(const Control& control) const;

  HWND HandleOf(const Control& control) const;
  Control* ControlOf(HWND handle) const;
  bool Quiet() const { return quiet_ > 0; }
  // Shows a control again now, as after a change of its model.
  void Show(const Control& control);
  void ShowPage(int page);
  // The control's answer to WM_COMMAND; false when it is not one of these.
  bool Notify(int id, int code);
  // The brush behind a control's text (WM_CTLCOLOR*), or null.
  HBRUSH Colour(HWND handle, HDC dc);
  UINT Dpi() const { return dpi_; }

 private:
  struct Entry {
    Control* control;
    HWND handle;
    Place place;
    std::function<void(HWND)> showAlso;
    Command onCommand;
    std::function<std::string()> tipSource;
    std::wstring tip;
    int observer = 0;
  };
  void ShowEntry(Entry& entry);
  void ShowTip(Entry& entry);

  HWND window_;
  UINT dpi_;
  HWND tips_;
  int page_ = 0;
  int quiet_ = 0;
  std::vector<std::unique_ptr<Entry>> entries_;
  std::map<COLORREF, HBRUSH> brushes_;
};

}  // namespace zb
