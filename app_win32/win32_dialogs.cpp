#include "app_win32/win32_dialogs.h"

#include <shobjidl.h>

#include "platform/win32/long_path.h"
#include "platform/win32/wide_text.h"
#include "platform/win32/win32_system.h"

namespace zb {
namespace {

// Releases a COM object at the end of a scope.
template <typename T>
struct ComRef {
  T* p = nullptr;
  ~ComRef() {
    if (p) p->Release();
  }
};

// Opens the dialog at a folder, or at a file in one with the file named.
void OpenAt(IFileOpenDialog* dialog, const std::string& startAt) {
  if (startAt.empty()) return;
  std::wstring path = WideFromUtf8(startAt);
  const DWORD attributes = GetFileAttributesW(LongPathOf(startAt).c_str());
  std::wstring name;
  if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_DIRECTORY)) {
    const std::size_t slash = path.find_last_of(L'\\');
    if (slash == std::wstring::npos) return;
    name = path.substr(slash + 1);
    path.resize(slash == 2 ? 3 : slash);
  }
  ComRef<IShellItem> folder;
  if (SUCCEEDED(SHCreateItemFromParsingName(path.c_str(), nullptr, IID_PPV_ARGS(&folder.p)))) {
    dialog->SetFolder(folder.p);
  }
  if (!name.empty()) dialog->SetFileName(name.c_str());
}

}  // namespace

UINT MessageBoxStyle(const MessageBox& box) {
  UINT style = MB_OK;
  if (box.buttons == Buttons::kOkCancel) style = MB_OKCANCEL;
  if (box.buttons == Buttons::kYesNo) style = MB_YESNO;
  if (box.icon == Icon::kCritical) style |= MB_ICONERROR;
  const bool second = (box.buttons == Buttons::kOkCancel && box.defaultButton == Answer::kCancel) ||
                      (box.buttons == Buttons::kYesNo && box.defaultButton == Answer::kNo);
  return style | (second ? MB_DEFBUTTON2 : MB_DEFBUTTON1);
}

Answer Win32Dialogs::Show(const MessageBox& box) {
  switch (MessageBoxW(owner_, WideFromUtf8(box.text).c_str(), WideFromUtf8(box.title).c_str(),
                      MessageBoxStyle(box))) {
    case IDYES:
      return Answer::kYes;
    case IDNO:
      return Answer::kNo;
    case IDCANCEL:
      return Answer::kCancel;
    default:
      return Answer::kOk;
  }
}

std::optional<std::string> Win32Dialogs::OpenFile(const OpenFileRequest& request) {
  ComRef<IFileOpenDialog> dialog;
  if (FAILED(CoCreateInstance(CLSID_FileOpenDialog, nullptr, CLSCTX_INPROC_SERVER,
                              IID_PPV_ARGS(&dialog.p)))) {
    return std::nullopt;
  }
  const std::wstring name = WideFromUtf8(request.filterName);
  const std::wstring pattern = WideFromUtf8(request.filterPattern);
  const COMDLG_FILTERSPEC filter{name.c_str(), pattern.c_str()};
  dialog.p->SetFileTypes(1, &filter);
  FILEOPENDIALOGOPTIONS options = 0;
  dialog.p->GetOptions(&options);
  // The file need not exist: choosing names the list to write.
  options &= ~static_cast<FILEOPENDIALOGOPTIONS>(FOS_FILEMUSTEXIST);
  if (request.pathMustExist) options |= FOS_PATHMUSTEXIST;
  dialog.p->SetOptions(options | FOS_FORCEFILESYSTEM);
  OpenAt(dialog.p, request.startAt);
  if (FAILED(dialog.p->Show(owner_))) return std::nullopt;
  ComRef<IShellItem> chosen;
  wchar_t* path = nullptr;
  if (FAILED(dialog.p->GetResult(&chosen.p)) ||
      FAILED(chosen.p->GetDisplayName(SIGDN_FILESYSPATH, &path))) {
    return std::nullopt;
  }
  std::string drivePath = DrivePathFromSystem(path);
  CoTaskMemFree(path);
  return drivePath;
}

}  // namespace zb
