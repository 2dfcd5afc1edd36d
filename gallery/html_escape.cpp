#include "gallery/html_escape.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <optional>

#include "text/utf8.h"

namespace zb {
namespace {

struct CodePoint {
  char32_t value;
  std::size_t length;  // bytes taken from the text
  bool valid;
};

constexpr CodePoint kMalformedByte{0xFFFD, 1, false};

CodePoint DecodeFirst(std::string_view text) {
  std::string_view rest = text;
  const std::optional<char32_t> code = TakeCodePoint(rest);
  return code ? CodePoint{*code, text.size() - rest.size(), true} : kMalformedByte;
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

// Printable ASCII that needs no entity: most of every name, copied in runs
// without decoding. keep also rejects the link characters in links.
template <class Keep>
std::size_t PlainRun(std::string_view text, std::size_t pos, Keep keep) {
  std::size_t end = pos;
  while (end < text.size()) {
    const auto b = static_cast<unsigned char>(text[end]);
    if (b < 0x20 || b >= 0x7F || NamedEntity(b) || !keep(b)) break;
    ++end;
  }
  return end;
}

}  // namespace

std::string EscapeHtmlText(std::string_view utf8, TextEncoding& encoding) {
  std::string out;
  out.reserve(utf8.size());
  for (std::size_t pos = 0; pos < utf8.size();) {
    const std::size_t plain = PlainRun(utf8, pos, [](unsigned char) { return true; });
    if (plain != pos) {
      out.append(utf8, pos, plain - pos);
      pos = plain;
      continue;
    }
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
  out.reserve(utf8.size());
  for (std::size_t pos = 0; pos < utf8.size();) {
    const std::size_t plain =
        PlainRun(utf8, pos, [](unsigned char b) { return !ChangesLinkMeaning(b); });
    if (plain != pos) {
      out.append(utf8, pos, plain - pos);
      pos = plain;
      continue;
    }
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
