#include "cli/terminal_text.h"

#include <optional>

#include "text/utf8.h"

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
  std::string_view rest = text;
  const std::optional<char32_t> code = TakeCodePoint(rest);
  if (!code) return 0;
  // C1 controls: some terminals read U+009B as the start of a sequence.
  if (*code >= 0x80 && *code <= 0x9F) return 0;
  // Direction overrides would show a name's letters in another order.
  if ((*code >= 0x202A && *code <= 0x202E) || (*code >= 0x2066 && *code <= 0x2069)) return 0;
  return text.size() - rest.size();
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
