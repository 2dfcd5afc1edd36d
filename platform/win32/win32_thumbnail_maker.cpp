#include "platform/win32/win32_thumbnail_maker.h"

#include <thread>

#include "platform/win32/wide_text.h"
#include "platform/win32/win32_thumbnail_helper_process.h"
#include "platform/win32/win32_thumbnail_store.h"
#include "platform/win32/windows_api.h"

namespace zb {

Win32ThumbnailMaker::Win32ThumbnailMaker(std::string helperProgram,
                                         std::chrono::milliseconds answerTimeout)
    : HelperThumbnailMaker(
          [](const std::string& outputFolder) -> std::unique_ptr<ThumbnailStore> {
            return Win32ThumbnailStore::Open(outputFolder);
          },
          std::make_unique<HelperProcessPool>(
              std::make_unique<Win32ThumbnailHelperLauncher>(helperProgram),
              std::thread::hardware_concurrency(), answerTimeout)) {}

std::string ThumbnailerProgram() {
  std::wstring self(MAX_PATH, L'\0');
  for (;;) {
    const DWORD n = GetModuleFileNameW(nullptr, self.data(), static_cast<DWORD>(self.size()));
    if (n == 0) return {};
    if (n < self.size()) {
      self.resize(n);
      break;
    }
    // Cut short: the path is longer than the room given.
    self.resize(self.size() * 2);
  }
  const std::wstring helper =
      self.substr(0, self.find_last_of(L"\\/") + 1) + L"zorbelle-thumbnailer.exe";
  const DWORD attributes = GetFileAttributesW(helper.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
    return {};
  }
  return Utf8FromWide(helper);
}

}  // namespace zb
