#include "text/utf8.h"

#include <gtest/gtest.h>

#include <string>

namespace zb {
namespace {

TEST(AsciiPrefixLengthTest, StopsAtTheFirstByteWithTheHighBitWhereverItFallsInAWord) {
  for (std::size_t length = 0; length <= 20; ++length) {
    const std::string ascii(length, 'a');
    EXPECT_EQ(AsciiPrefixLength(ascii), length);
    for (std::size_t at = 0; at < length; ++at) {
      std::string text = ascii;
      text[at] = '\x80';
      EXPECT_EQ(AsciiPrefixLength(text), at) << "length " << length << ", at " << at;
    }
  }
}

}  // namespace
}  // namespace zb
