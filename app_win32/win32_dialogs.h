#pragma once

#include "app_win32/windows_ui.h"
#include "platform/dialogs.h"

namespace zb {

// Message boxes and the open-file dialog of Windows, modal over the window.
class Win32Dialogs : public Dialogs {
 public:
  void SetOwner(HWND owner) { owner_ = owner; }
  Answer Show(const MessageBox& box) override;
  std::optional<std::string> OpenFile(const OpenFileRequest& request) override;

 private:
  HWND owner_ = nullptr;
};

// MessageBoxW's style for a box: buttons, icon and default button.
UINT MessageBoxStyle(const MessageBox& box);

}  // namespace zb
