// Hostile picture files: the header readers behind the picture loader (JPEG,
// GIF, BMP, PNG, WebP, AVIF and HEIC), the GIF header fields the run reads itself,
// and the EXIF orientation that thumbnails follow.
#include <cstddef>
#include <cstdint>
#include <fstream>
#include <optional>

#include "fuzz/require.h"
#include "picture/exif_orientation.h"
#include "picture/heif_header_reader.h"
#include "platform/fake/fake_dialogs.h"
#include "platform/posix/posix_platform.h"
#include "platform/posix/testing/test_folder.h"
#include "scan/picture_fit.h"
#include "scan/picture_measure.h"
#include "window/program.h"

namespace {

constexpr const char* kPicture = "C:\\fuzz.gif";
constexpr int kBox = 120;

struct Host {
  zb::TestFolder folder;
  zb::PosixPlatform posix{folder.Drives(), folder.Host("config"), ""};
  zb::FakeDialogs dialogs;
  zb::Platform platform = posix.With(dialogs);
  zb::Program program{platform};
};

void CheckFitted(const zb::MeasuredSize& measured) {
  const zb::FittedSize fitted = zb::FitIntoBox(measured.width, measured.height, kBox);
  zb::Require(fitted.width >= 0 && fitted.height >= 0 && fitted.width <= kBox &&
              fitted.height <= kBox);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t length) {
  static Host* host = new Host;
  std::ofstream(host->folder.Host("fuzz.gif"), std::ios::binary | std::ios::trunc)
      .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(length));

  const std::optional<zb::PixelSize> size = host->platform.pictures.Measure(kPicture);
  // A size is a size: the loader gives none rather than a zero side.
  zb::Require(!size || (size->width > 0 && size->height > 0));

  // The box readers and the EXIF reader must stay inside the bytes given.
  const auto boxed = zb::ReadHeifSize(data, length);
  zb::Require(!boxed || (boxed->width > 0 && boxed->height > 0));
  const int orientation = zb::ExifOrientation(std::span(data, length));
  zb::Require(orientation >= 1 && orientation <= 8);

  CheckFitted(zb::MeasurePicture(host->program.session, kPicture, true));
  CheckFitted(zb::MeasurePicture(host->program.session, kPicture, false));
  return 0;
}
