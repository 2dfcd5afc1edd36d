#include "decoding/thumbnail_decode_job.h"

#include "decoding/browser_copy.h"
#include "decoding/jpeg_encoder.h"
#include "decoding/picture_decoding.h"
#include "thumbnail/thumbnail_names.h"

namespace zb {
namespace {

constexpr int kQuality = 85;

std::vector<std::uint8_t> MakeThumbnailBytes(std::span<const std::uint8_t> file, int side) {
  if (side == kBrowserCopySide) return MakeBrowserCopy(file);
  const std::optional<PicturePixels> pixels = DecodeForThumbnail(file, side);
  if (!pixels) return {};
  return EncodeJpeg(*pixels, kQuality);
}

}  // namespace

void ServeThumbnailRequests(MessageChannel& channel, const PictureFileReader& readPicture,
                            const std::function<void()>& startPicture) {
  while (const std::optional<ThumbnailRequest> request = ReceiveRequest(channel)) {
    startPicture();
    const std::optional<std::vector<std::uint8_t>> file = readPicture(request->hostPath);
    const std::vector<std::uint8_t> jpeg =
        file ? MakeThumbnailBytes(*file, request->side) : std::vector<std::uint8_t>{};
    if (!SendAnswer(channel, jpeg)) return;
  }
}

}  // namespace zb
