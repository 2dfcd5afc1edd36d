// zorbelle.exe: the desktop window on Windows.
#include "app_win32/windows_ui.h"
// windows.h first: these need its types.
#include <commctrl.h>
#include <objbase.h>

#include "app_win32/win32_dialogs.h"
#include "app_win32/win32_main_window.h"
#include "platform/win32/win32_platform.h"
#include "window/form_lifecycle.h"
#include "window/program.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  // The file dialog is a COM object of the shell.
  CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
  const INITCOMMONCONTROLSEX classes{sizeof(INITCOMMONCONTROLSEX),
                                     ICC_STANDARD_CLASSES | ICC_TAB_CLASSES | ICC_WIN95_CLASSES};
  InitCommonControlsEx(&classes);

  zb::Win32Platform host;
  zb::Win32Dialogs dialogs;
  zb::Platform platform = host.With(dialogs);
  zb::Program program(platform);
  zb::Win32MainWindow window(program);
  dialogs.SetOwner(window.Handle());
  // A run keeps the window alive (Stop, repaints) at its yields.
  host.system().SetYieldHook([&window] { window.PumpMessages(); });
  window.MeasureForCentring();
  zb::Form_Load(program);
  ShowWindow(window.Handle(), SW_SHOWNORMAL);
  return window.RunMessageLoop();
}
