#pragma once

#include <memory>
#include <string>
#include <vector>

#include "app_win32/win32_control_binding.h"
#include "app_win32/win32_menus.h"
#include "app_win32/windows_ui.h"
#include "window/program.h"

namespace zb {

// The main window: a view of the program's MainForm in Win32 controls. Every
// control follows its model control and hands the user's input to it; the
// window's activation, closing and focus reach the form's handlers.
// Made hidden; the program must outlive it.
class Win32MainWindow {
 public:
  explicit Win32MainWindow(Program& program);
  ~Win32MainWindow();
  Win32MainWindow(const Win32MainWindow&) = delete;
  Win32MainWindow& operator=(const Win32MainWindow&) = delete;

  HWND Handle() const { return window_; }
  HWND HandleOf(const Control& control) const { return controls_->HandleOf(control); }
  std::string TipOf(const Control& control) const { return controls_->TipOf(control); }
  int MenuIdOf(const MenuItem& item) const { return menus_->IdOf(item); }
  UINT Dpi() const { return controls_->Dpi(); }

  // Tells the program the screen's size and the window's, for centring.
  void MeasureForCentring();
  // Runs every message waiting, as a run does at its yields.
  void PumpMessages();
  // Until the window is gone; returns the program's exit code.
  int RunMessageLoop();

 private:
  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM w, LPARAM l);
  LRESULT Handle(UINT message, WPARAM w, LPARAM l);
  bool TranslateKeys(MSG& message);
  // Makes the controls at the dots per inch of the window's monitor.
  void Build(UINT dpi);
  void BuildSearchFolder();
  void BuildOutputFolder();
  void BuildOptionTabs();
  void BuildOperationAndStatus();
  void StackContainers();
  void FollowWindow();
  void PaintBackdrop(HDC dc);
  void FocusMoved();

  Program& program_;
  HWND window_ = nullptr;
  std::unique_ptr<ControlBinding> controls_;
  std::unique_ptr<MenuBinding> menus_;
  // Behind the tab strip's pages, in their silver.
  HWND pageBackdrop_ = nullptr;
  HWND tabs_ = nullptr;
  int windowObserver_ = 0;
  // The control that had the focus when the window was left.
  HWND lastFocus_ = nullptr;
};

}  // namespace zb
