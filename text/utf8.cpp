#include "text/utf8.h"

#include <cstdint>
#include <cstring>

namespace zb {
namespace {

struct Form {
  std::size_t length;  // 0 for a byte that cannot start a character
  unsigned char leadBits;
  char32_t smallest;  // below it the same character has a shorter form
};

Form FormOf(unsigned char lead) {
  if (lead >= 0xC2 && lead <= 0xDF) return {2, 0x1F, 0x80};
  if (lead >= 0xE0 && lead <= 0xEF) return {3, 0x0F, 0x800};
  if (lead >= 0xF0 && lead <= 0xF4) return {4, 0x07, 0x10000};
  return {0, 0, 0};
}

}  // namespace

// Eight bytes a step: pages and lists are mostly ASCII paths, and this is
// where writing them spends its time.
std::size_t AsciiPrefixLength(std::string_view text) {
  constexpr std::uint64_t kHighBits = 0x8080808080808080;
  std::size_t i = 0;
  for (std::uint64_t word; i + sizeof word <= text.size(); i += sizeof word) {
    std::memcpy(&word, text.data() + i, sizeof word);
    if ((word & kHighBits) != 0) break;
  }
  while (i < text.size() && static_cast<unsigned char>(text[i]) < 0x80) ++i;
  return i;
}

std::optional<char32_t> TakeCodePoint(std::string_view& text) {
  const auto byte = [&text](std::size_t i) { return static_cast<unsigned char>(text[i]); };
  if (byte(0) < 0x80) {
    const char32_t ascii = byte(0);
    text.remove_prefix(1);
    return ascii;
  }
  const Form form = FormOf(byte(0));
  bool valid = form.length != 0 && text.size() >= form.length;
  char32_t code = valid ? byte(0) & form.leadBits : 0;
  for (std::size_t i = 1; valid && i < form.length; ++i) {
    valid = (byte(i) & 0xC0) == 0x80;
    code = (code << 6) | (byte(i) & 0x3F);
  }
  valid = valid && code >= form.smallest && code <= 0x10FFFF && !(code >= 0xD800 && code <= 0xDFFF);
  text.remove_prefix(valid ? form.length : 1);
  if (!valid) return std::nullopt;
  return code;
}

void AppendUtf8(char32_t c, std::string& out) {
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (c >> 18));
    out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

}  // namespace zb
