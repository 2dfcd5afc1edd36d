// zorbelle-thumbnailer.exe: decodes pictures into thumbnails for zorbelle,
// which starts it with its standard input and output as pipes, inside a job
// that ends it with the run.
#include <objbase.h>

#include <cstdio>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

#include "platform/win32/handle_channel.h"
#include "platform/win32/long_path.h"
#include "platform/win32/unique_handle.h"
#include "platform/win32/whole_handle_transfers.h"
#include "platform/win32/wic_thumbnail_decoder.h"
#include "platform/win32/windows_api.h"
#include "thumbnail/helper_protocol.h"

namespace {

// Empty for what is no regular file, cannot be read or is too large.
std::optional<std::vector<std::uint8_t>> ReadPicture(const std::string& path) {
  zb::UniqueHandle file(CreateFileW(zb::LongPathOf(path).c_str(), GENERIC_READ,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  LARGE_INTEGER size{};
  if (!file || GetFileType(file.get()) != FILE_TYPE_DISK || !GetFileSizeEx(file.get(), &size) ||
      size.QuadPart < 0 || static_cast<std::uint64_t>(size.QuadPart) > zb::kMaxPictureFileBytes) {
    return std::nullopt;
  }
  std::vector<std::uint8_t> bytes(static_cast<std::size_t>(size.QuadPart));
  if (!zb::ReadWhole(file.get(), bytes.data(), bytes.size())) return std::nullopt;
  return bytes;
}

}  // namespace

int main(int argc, char** argv) {
  // Started by hand it would wait on the console for requests it cannot get.
  if (argc != 3 || std::strcmp(argv[1], zb::kThumbnailHelperArgument) != 0) {
    std::fprintf(stderr, "zorbelle-thumbnailer: a helper of zorbelle, which starts it itself\n");
    return 2;
  }
  // A picture that crashes the decoder ends this process, never waits on a
  // dialog.
  SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX | SEM_NOOPENFILEERRORBOX);
  if (FAILED(CoInitializeEx(nullptr, COINIT_MULTITHREADED))) return 1;
  zb::HandleChannel channel(GetStdHandle(STD_INPUT_HANDLE), GetStdHandle(STD_OUTPUT_HANDLE));
  while (const std::optional<zb::ThumbnailRequest> request = zb::ReceiveRequest(channel)) {
    const std::optional<std::vector<std::uint8_t>> file = ReadPicture(request->hostPath);
    const std::vector<std::uint8_t> jpeg =
        file ? zb::WicThumbnailJpeg(*file, request->side) : std::vector<std::uint8_t>{};
    if (!zb::SendAnswer(channel, jpeg)) break;
  }
  CoUninitialize();
  return 0;
}
