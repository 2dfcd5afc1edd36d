#include "text/ini_text.h"

#include <algorithm>
#include <array>
#include <functional>

#include "text/letter_case.h"

namespace zb {
namespace {

constexpr std::size_t kLineBudget = 120;  // bytes of value per line, well below the cut
constexpr std::size_t kKeyBudget = 70;
constexpr char kHex[] = "0123456789ABCDEF";

// The bytes written as "%XX": always these, and the extra ones asked for.
class EscapeSet {
 public:
  constexpr explicit EscapeSet(std::string_view extra) {
    for (unsigned c = 0; c < 0x20; ++c) escaped_[c] = true;
    for (const char c : std::string_view("\x7F%;#")) escaped_[static_cast<unsigned char>(c)] = true;
    for (const char c : extra) escaped_[static_cast<unsigned char>(c)] = true;
  }
  constexpr bool operator()(char c) const { return escaped_[static_cast<unsigned char>(c)]; }

 private:
  std::array<bool, 256> escaped_{};
};

// The crash marker's path is checked before every picture: tables, rather
// than a search of the extra characters for every byte.
constexpr EscapeSet kAlwaysEscaped("");
constexpr EscapeSet kKeyEscapes(" \t=:[]");
constexpr EscapeSet kSectionEscapes("[]");

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

// End of the UTF-8 character that starts at i.
std::size_t CharacterEnd(std::string_view text, std::size_t i) {
  std::size_t end = i + 1;
  while (end < text.size() && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80) ++end;
  return end;
}

std::size_t EscapedSize(std::string_view text) {
  std::size_t size = 0;
  for (const char c : text) size += kAlwaysEscaped(c) ? 3 : 1;
  return size;
}

// Plain runs go in whole: the crash marker's text is escaped before every
// picture.
void AppendEscapedText(std::string& out, std::string_view text,
                       const EscapeSet& escaped = kAlwaysEscaped) {
  while (!text.empty()) {
    const auto plain = static_cast<std::size_t>(
        std::find_if(text.begin(), text.end(), std::cref(escaped)) - text.begin());
    out.append(text.data(), plain);
    if (plain == text.size()) return;
    AppendEscaped(out, static_cast<unsigned char>(text[plain]));
    text.remove_prefix(plain + 1);
  }
}

// A value that fits on one line as it stands: the crash marker's path before
// every picture, as a rule.
bool FitsAsItStands(std::string_view value) {
  return value.size() <= kLineBudget &&
         (value.empty() || (!IsBlank(value.front()) && !IsBlank(value.back()))) &&
         std::none_of(value.begin(), value.end(), std::cref(kAlwaysEscaped));
}

}  // namespace

std::string EscapeIniText(std::string_view text, std::string_view extra) {
  std::string out;
  out.reserve(text.size());
  AppendEscapedText(out, text, EscapeSet(extra));
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
  const std::size_t keyAt = out.size();
  AppendEscapedText(out, key, kKeyEscapes);
  if (out.size() - keyAt > kKeyBudget) {
    out.resize(keyAt);
    return false;
  }
  out += '=';
  if (FitsAsItStands(value)) {
    out += value;
    out += '\n';
    return true;
  }
  // Lines are cut between characters, never inside "%XX" or a UTF-8
  // character, so that each line stays readable on its own.
  std::size_t lineStart = out.size();
  for (std::size_t i = 0; i < value.size();) {
    const std::size_t end = CharacterEnd(value, i);
    const std::string_view piece = value.substr(i, end - i);
    const std::size_t nextEnd = end < value.size() ? CharacterEnd(value, end) : end;
    const bool first = out.size() == lineStart;
    const bool last = end == value.size() || out.size() - lineStart + EscapedSize(piece) +
                                                     EscapedSize(value.substr(end, nextEnd - end)) >
                                                 kLineBudget;
    if ((first || last) && IsBlank(piece[0])) {
      // Readers trim blanks at a line's ends; stray bytes after it stay.
      AppendEscaped(out, static_cast<unsigned char>(piece[0]));
      AppendEscapedText(out, piece.substr(1));
    } else {
      AppendEscapedText(out, piece);
    }
    if (last && end < value.size()) {
      out += "\n  ";
      lineStart = out.size();
    }
    i = end;
  }
  out += '\n';
  return true;
}

std::string IniValueOf(const IniEntries& entries, const std::string& key,
                       const std::string& fallback) {
  const auto found = std::find_if(entries.begin(), entries.end(), [&key](const auto& entry) {
    return EqualsIgnoreCase(entry.first, key);
  });
  return found != entries.end() ? found->second : fallback;
}

void SetIniValue(IniEntries& entries, const std::string& key, const std::string& value) {
  const auto found = std::find_if(entries.begin(), entries.end(), [&key](const auto& entry) {
    return EqualsIgnoreCase(entry.first, key);
  });
  if (found != entries.end()) {
    found->second = value;
  } else {
    entries.emplace_back(key, value);
  }
}

bool AppendIniSection(std::string& out, std::string_view section, const IniEntries& entries) {
  out += '[';
  AppendEscapedText(out, section, kSectionEscapes);
  out += "]\n";
  return std::all_of(entries.begin(), entries.end(), [&out](const auto& entry) {
    return AppendIniEntry(out, entry.first, entry.second);
  });
}

}  // namespace zb
