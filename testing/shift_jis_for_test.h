#pragma once

#include <iconv.h>

#include <optional>
#include <stdexcept>
#include <string>

namespace zb {

// For tests: all of text converted between two of the host converter's
// encodings ("UTF-8", "CP932", "UTF-32LE"), or nullopt when any of it
// cannot be.
inline std::optional<std::string> Converted(const char* to, const char* from, std::string text) {
  const iconv_t converter = iconv_open(to, from);
  if (converter == reinterpret_cast<iconv_t>(-1)) return std::nullopt;
  std::string out(text.size() * 4 + 4, '\0');
  char* in = text.data();
  std::size_t inLeft = text.size();
  char* at = out.data();
  std::size_t outLeft = out.size();
  const bool converted =
      iconv(converter, &in, &inLeft, &at, &outLeft) != static_cast<std::size_t>(-1);
  iconv_close(converter);
  if (!converted) return std::nullopt;
  out.resize(out.size() - outLeft);
  return out;
}

// Throw when the bytes are not all Shift_JIS (or the text not all of it).
inline std::string Utf8FromShiftJis(std::string bytes) {
  std::optional<std::string> text = Converted("UTF-8", "CP932", std::move(bytes));
  if (!text) throw std::runtime_error("not Shift_JIS");
  return *std::move(text);
}

inline std::string ShiftJisFromUtf8(std::string text) {
  std::optional<std::string> bytes = Converted("CP932", "UTF-8", text);
  if (!bytes) throw std::runtime_error("no Shift_JIS for: " + text);
  return *std::move(bytes);
}

}  // namespace zb
