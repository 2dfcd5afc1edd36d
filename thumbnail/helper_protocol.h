#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace zb {

// The messages between a run and its thumbnail helpers (zorbelle-thumbnailer),
// which decode pictures so that a picture that brings its decoder down costs
// only its own thumbnail, and so that only the helpers load the decoders.
//
// A request is the side (u32), the length of a host path (u32) and the
// path; the answer is a length (u32) and that many bytes of JPEG, 0 for a
// picture that gives no thumbnail. Numbers are in the host's byte order:
// both ends are built and installed together. The helper is started with
// kThumbnailHelperArgument and the run's process ID.
inline constexpr const char* kThumbnailHelperArgument = "--thumbnail-worker";

// One end of the connection between a run and a helper.
class MessageChannel {
 public:
  virtual ~MessageChannel() = default;
  // Whole reads and writes; false at the end or on an error.
  virtual bool Read(void* data, std::size_t size) = 0;
  virtual bool Write(const void* data, std::size_t size) = 0;
};

struct ThumbnailRequest {
  std::string hostPath;
  int side = 0;
};

bool SendRequest(MessageChannel& channel, const ThumbnailRequest& request);
// Empty at the end of the requests or when one is too long to be a path.
std::optional<ThumbnailRequest> ReceiveRequest(MessageChannel& channel);

bool SendAnswer(MessageChannel& channel, std::span<const std::uint8_t> jpeg);
// Empty when the answer is cut or longer than any thumbnail.
std::optional<std::vector<std::uint8_t>> ReceiveAnswer(MessageChannel& channel);

}  // namespace zb
