#include "thumbnail/helper_protocol.h"

namespace zb {
namespace {

constexpr std::uint32_t kMaxPathBytes = 64 * 1024;
constexpr std::uint32_t kMaxAnswerBytes = 256 * 1024 * 1024;

}  // namespace

bool SendRequest(MessageChannel& channel, const ThumbnailRequest& request) {
  const auto side = static_cast<std::uint32_t>(request.side);
  const auto length = static_cast<std::uint32_t>(request.hostPath.size());
  return channel.Write(&side, sizeof side) && channel.Write(&length, sizeof length) &&
         channel.Write(request.hostPath.data(), length);
}

std::optional<ThumbnailRequest> ReceiveRequest(MessageChannel& channel) {
  std::uint32_t side = 0;
  std::uint32_t length = 0;
  if (!channel.Read(&side, sizeof side) || !channel.Read(&length, sizeof length) ||
      length > kMaxPathBytes) {
    return std::nullopt;
  }
  ThumbnailRequest request{std::string(length, '\0'), static_cast<int>(side)};
  if (!channel.Read(request.hostPath.data(), length)) return std::nullopt;
  return request;
}

bool SendAnswer(MessageChannel& channel, std::span<const std::uint8_t> jpeg) {
  const auto size = static_cast<std::uint32_t>(jpeg.size());
  return channel.Write(&size, sizeof size) && channel.Write(jpeg.data(), jpeg.size());
}

std::optional<std::vector<std::uint8_t>> ReceiveAnswer(MessageChannel& channel) {
  std::uint32_t size = 0;
  if (!channel.Read(&size, sizeof size) || size > kMaxAnswerBytes) return std::nullopt;
  std::vector<std::uint8_t> bytes(size);
  // An empty vector has no storage to read into.
  if (size > 0 && !channel.Read(bytes.data(), size)) return std::nullopt;
  return bytes;
}

}  // namespace zb
