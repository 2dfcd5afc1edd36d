#include "gallery/html_escape.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>

namespace zb {
namespace {

struct CodePoint {
  char32_t value;
  std::size_t length;  // bytes taken from the text
  bool valid;
};

constexpr CodePoint kMalformedByte{0xFFFD, 1, false};

// Decodes the UTF-8 sequence at the start of text; a byte that starts no
// well-formed sequence is taken alone.
CodePoint DecodeFirst(std::string_view text) {
  const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
  const unsigned char lead = byte(0);
  if (lead < 0x80) return {lead, 1, true};
  std::size_t length;
  char32_t value;
  char32_t smallest;
  if ((lead & 0xE0) == 0xC0) {
    length = 2, value = lead & 0x1F, smallest = 0x80;
  } else if ((lead & 0xF0) == 0xE0) {
    length = 3, value = lead & 0x0F, smallest = 0x800;
  } else if ((lead & 0xF8) == 0xF0) {
    length = 4, value = lead & 0x07, smallest = 0x10000;
  } else {
    return kMalformedByte;
  }
  if (text.size() < length) return kMalformedByte;
  for (std::size_t i = 1; i < length; ++i) {
    if ((byte(i) & 0xC0) != 0x80) return kMalformedByte;
    value = (value << 6) | (byte(i) & 0x3F);
  }
  const bool surrogate = value >= 0xD800 && value <= 0xDFFF;
  if (value < smallest || value > 0x10FFFF || surrogate) return kMalformedByte;
  return {value, length, true};
}

const char* NamedEntity(char32_t c) {
  switch (c) {
    case '&':
      return "&amp;";
    case '<':
      return "&lt;";
    case '>':
      return "&gt;";
    case '"':
      return "&quot;";
    default:
      return nullptr;
  }
}

// Whether the character can stand in a page as it is.
bool WritableAsIs(const CodePoint& c, TextEncoding& encoding) {
  if (!c.valid || c.value < 0x20 || c.value == 0x7F) return false;
  return c.value < 0x80 || encoding.RoundTrips(c.value);
}

bool ChangesLinkMeaning(char32_t c) {
  return c == '%' || c == '#' || c == '?' || c == ':' || c == ' ';
}

void AppendPercentEncoded(std::string& out, std::string_view bytes) {
  for (const char b : bytes) {
    char hex[4];
    std::snprintf(hex, sizeof hex, "%%%02X", static_cast<unsigned char>(b));
    out += hex;
  }
}

}  // namespace

std::string EscapeHtmlText(std::string_view utf8, TextEncoding& encoding) {
  std::string out;
  for (std::size_t pos = 0; pos < utf8.size();) {
    const CodePoint c = DecodeFirst(utf8.substr(pos));
    if (const char* entity = NamedEntity(c.value)) {
      out += entity;
    } else if (WritableAsIs(c, encoding)) {
      out += utf8.substr(pos, c.length);
    } else {
      out += "&#" + std::to_string(static_cast<std::uint32_t>(c.value)) + ";";
    }
    pos += c.length;
  }
  return out;
}

std::string EscapeLink(std::string_view utf8, TextEncoding& encoding) {
  std::string out;
  for (std::size_t pos = 0; pos < utf8.size();) {
    const CodePoint c = DecodeFirst(utf8.substr(pos));
    const std::string_view bytes = utf8.substr(pos, c.length);
    if (const char* entity = NamedEntity(c.value)) {
      out += entity;
    } else if (WritableAsIs(c, encoding) && !ChangesLinkMeaning(c.value)) {
      out += bytes;
    } else {
      AppendPercentEncoded(out, bytes);
    }
    pos += c.length;
  }
  return out;
}

}  // namespace zb
