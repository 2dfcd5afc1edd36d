#include "platform/posix/ini_text.h"

#include <vector>

namespace zb {
namespace {

constexpr std::size_t kLineBudget = 120;  // bytes of value per line, well below the cut
constexpr std::size_t kKeyBudget = 70;
constexpr char kHex[] = "0123456789ABCDEF";

bool NeedsEscape(unsigned char c, std::string_view extra) {
  return c < 0x20 || c == 0x7F || c == '%' || c == ';' || c == '#' ||
         extra.find(static_cast<char>(c)) != std::string_view::npos;
}

void AppendEscaped(std::string& out, unsigned char c) {
  out += '%';
  out += kHex[c >> 4];
  out += kHex[c & 0xF];
}

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// The escaped value cut into pieces that are never split inside "%XX" or a
// UTF-8 character, so that each line stays readable on its own.
std::vector<std::string> EscapedPieces(std::string_view value) {
  std::vector<std::string> pieces;
  for (std::size_t i = 0; i < value.size();) {
    std::size_t end = i + 1;
    while (end < value.size() && (static_cast<unsigned char>(value[end]) & 0xC0) == 0x80) ++end;
    pieces.push_back(EscapeIniText(value.substr(i, end - i)));
    i = end;
  }
  return pieces;
}

}  // namespace

std::string EscapeIniText(std::string_view text, std::string_view extra) {
  std::string out;
  out.reserve(text.size());
  for (const char c : text) {
    if (NeedsEscape(static_cast<unsigned char>(c), extra)) {
      AppendEscaped(out, static_cast<unsigned char>(c));
    } else {
      out += c;
    }
  }
  return out;
}

std::string UnescapeIniText(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '%' && i + 2 < text.size() && HexValue(text[i + 1]) >= 0 &&
        HexValue(text[i + 2]) >= 0) {
      out += static_cast<char>(HexValue(text[i + 1]) * 16 + HexValue(text[i + 2]));
      i += 2;
    } else {
      out += text[i];
    }
  }
  return out;
}

bool AppendIniEntry(std::string& out, std::string_view key, std::string_view value) {
  const std::string escapedKey = EscapeIniText(key, " \t=:[]");
  if (escapedKey.size() > kKeyBudget) return false;
  out += escapedKey;
  out += '=';
  const std::vector<std::string> pieces = EscapedPieces(value);
  std::size_t lineStart = out.size();
  for (std::size_t i = 0; i < pieces.size(); ++i) {
    const bool first = out.size() == lineStart;
    const bool last =
        i + 1 == pieces.size() ||
        out.size() - lineStart + pieces[i].size() + pieces[i + 1].size() > kLineBudget;
    if ((first || last) && IsBlank(pieces[i][0])) {
      AppendEscaped(out, static_cast<unsigned char>(pieces[i][0]));
    } else {
      out += pieces[i];
    }
    if (last && i + 1 < pieces.size()) {
      out += "\n  ";
      lineStart = out.size();
    }
  }
  out += '\n';
  return true;
}

}  // namespace zb
