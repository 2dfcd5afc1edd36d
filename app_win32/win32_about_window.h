#pragma once

#include <memory>

#include "about/about_dialog.h"
#include "app_win32/win32_control_binding.h"
#include "app_win32/windows_ui.h"

namespace zb {

// The About box over its model, made hidden; RunModal shows it in front of
// the owner, which is disabled meanwhile, until OK or the close box.
class Win32AboutWindow {
 public:
  Win32AboutWindow(HWND owner, Platform& platform);
  ~Win32AboutWindow();
  Win32AboutWindow(const Win32AboutWindow&) = delete;
  Win32AboutWindow& operator=(const Win32AboutWindow&) = delete;

  HWND Handle() const { return window_; }
  HWND HandleOf(const Control& control) const { return controls_->HandleOf(control); }
  AboutForm& form() { return about_.form; }
  bool Closed() const { return closed_; }
  void RunModal();

 private:
  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM w, LPARAM l);
  void Arrange();

  HWND owner_;
  HWND window_;
  bool closed_ = false;
  AboutDialog about_;
  std::unique_ptr<ControlBinding> controls_;
};

}  // namespace zb
