#include "cli/terminal_text.h"

namespace zb {
namespace {

void AppendHex(std::string& out, unsigned char c) {
  constexpr char kHex[] = "0123456789ABCDEF";
  out += "\\x";
  out += kHex[c >> 4];
  out += kHex[c & 0xF];
}

// Length of the well-formed UTF-8 character at the start of text, else 0.
std::size_t Utf8Length(std::string_view text) {
  const auto byte = [&text](std::size_t i) { return static_cast<unsigned char>(text[i]); };
  const unsigned char lead = byte(0);
  std::size_t length = 0;
  unsigned least = 0;
  unsigned code = 0;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2, least = 0x80, code = lead & 0x1F;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3, least = 0x800, code = lead & 0x0F;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4, least = 0x10000, code = lead & 0x07;
  } else {
    return 0;
  }
  if (text.size() < length) return 0;
  for (std::size_t i = 1; i < length; ++i) {
    if ((byte(i) & 0xC0) != 0x80) return 0;
    code = code << 6 | (byte(i) & 0x3F);
  }
  const bool surrogate = code >= 0xD800 && code <= 0xDFFF;
  if (code < least || code > 0x10FFFF || surrogate) return 0;
  // C1 controls: some terminals read U+009B as the start of a sequence.
  if (code >= 0x80 && code <= 0x9F) return 0;
  // Direction overrides would show a name's letters in another order.
  if ((code >= 0x202A && code <= 0x202E) || (code >= 0x2066 && code <= 0x2069)) return 0;
  return length;
}

}  // namespace

std::string ForTerminal(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size();) {
    const unsigned char c = static_cast<unsigned char>(text[i]);
    if (text.substr(i, 2) == "\r\n") {
      out += '\n';
      i += 2;
    } else if (c >= 0x20 && c < 0x7F) {
      out += static_cast<char>(c);
      ++i;
    } else if (const std::size_t length = c >= 0x80 ? Utf8Length(text.substr(i)) : 0) {
      out.append(text.substr(i, length));
      i += length;
    } else {
      AppendHex(out, c);
      ++i;
    }
  }
  return out;
}

}  // namespace zb
