#include "scan/picture_measure.h"

#include <algorithm>
#include <array>
#include <cstddef>

#include "scan/run_session.h"
#include "settings/crash_marker.h"

namespace zb {
namespace {

constexpr std::size_t kGifSizeAt = 6;

// Width and height at offsets 6 and 8, unsigned little-endian 16-bit.
MeasuredSize MeasureGif(FileSystem& files, const std::string& path,
                        std::optional<std::span<const std::byte>> head) {
  std::array<std::byte, 4> header{};
  std::size_t got = 0;
  if (head) {
    const std::span<const std::byte> fields = head->subspan(std::min(kGifSizeAt, head->size()));
    got = std::min(fields.size(), header.size());
    std::copy_n(fields.begin(), got, header.begin());
  } else {
    try {
      got = files.ReadAt(path, kGifSizeAt, header);
    } catch (const FileError&) {
      return {};
    }
  }
  auto field = [&](std::size_t at) {
    if (got < at + 2) return 0.0f;
    return static_cast<float>(std::to_integer<unsigned>(header[at]) |
                              std::to_integer<unsigned>(header[at + 1]) << 8);
  };
  return {field(0), field(2)};
}

}  // namespace

MeasuredSize MeasurePicture(RunSession& session, const std::string& path, bool gif,
                            std::optional<std::span<const std::byte>> head) {
  if (gif) return MeasureGif(session.platform.files, path, head);
  ArmCrashMarker(session.platform, path);
  PictureLoader& loader = session.platform.pictures;
  if (auto size = head ? loader.Measure(path, *head) : loader.Measure(path)) {
    return {static_cast<float>(size->width), static_cast<float>(size->height)};
  }
  return {};
}

}  // namespace zb
