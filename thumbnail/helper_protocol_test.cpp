#include "thumbnail/helper_protocol.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace zb {
namespace {

// Both ends at once: what is written is read back in order.
class Loopback : public MessageChannel {
 public:
  bool Read(void* data, std::size_t size) override {
    if (size > bytes.size() - at) return false;
    std::memcpy(data, bytes.data() + at, size);
    at += size;
    return true;
  }
  bool Write(const void* data, std::size_t size) override {
    bytes.append(static_cast<const char*>(data), size);
    return true;
  }
  std::string bytes;
  std::size_t at = 0;
};

std::string Number(std::uint32_t value) { return {reinterpret_cast<char*>(&value), sizeof value}; }

TEST(HelperProtocol, RequestsAndAnswersArriveAsSent) {
  Loopback channel;
  ASSERT_TRUE(SendRequest(channel, {"/pictures/ä b.jpg", 240}));
  ASSERT_TRUE(SendRequest(channel, {"", 0}));
  // The layout both programs of an install share.
  EXPECT_EQ(channel.bytes.substr(0, 8), Number(240) + Number(18));
  const std::optional<ThumbnailRequest> first = ReceiveRequest(channel);
  ASSERT_TRUE(first);
  EXPECT_EQ(first->hostPath, "/pictures/ä b.jpg");
  EXPECT_EQ(first->side, 240);
  const std::optional<ThumbnailRequest> second = ReceiveRequest(channel);
  ASSERT_TRUE(second);
  EXPECT_EQ(second->hostPath, "");
  EXPECT_EQ(ReceiveRequest(channel), std::nullopt);

  const std::vector<std::uint8_t> jpeg = {0xFF, 0xD8, 0xFF, 0xD9};
  ASSERT_TRUE(SendAnswer(channel, jpeg));
  ASSERT_TRUE(SendAnswer(channel, {}));
  EXPECT_EQ(ReceiveAnswer(channel), jpeg);
  EXPECT_EQ(ReceiveAnswer(channel), std::vector<std::uint8_t>{});
  EXPECT_EQ(ReceiveAnswer(channel), std::nullopt);
}

TEST(HelperProtocol, CutOrOversizedMessagesAreRefused) {
  Loopback cutRequest;
  cutRequest.bytes = Number(240) + Number(10) + "/short";
  EXPECT_EQ(ReceiveRequest(cutRequest), std::nullopt);
  Loopback longPath;
  longPath.bytes = Number(240) + Number(64 * 1024 + 1) + std::string(64 * 1024 + 1, 'p');
  EXPECT_EQ(ReceiveRequest(longPath), std::nullopt);
  Loopback longestPath;
  longestPath.bytes = Number(240) + Number(64 * 1024) + std::string(64 * 1024, 'p');
  EXPECT_TRUE(ReceiveRequest(longestPath));

  Loopback cutAnswer;
  cutAnswer.bytes = Number(4) + "\xFF\xD8";
  EXPECT_EQ(ReceiveAnswer(cutAnswer), std::nullopt);
  // Nothing is allocated for an answer longer than any thumbnail.
  Loopback hugeAnswer;
  hugeAnswer.bytes = Number(0xFFFFFFFF);
  EXPECT_EQ(ReceiveAnswer(hugeAnswer), std::nullopt);
}

}  // namespace
}  // namespace zb
