#pragma once

namespace zb {

// What the generated files' code page (Shift_JIS, 932) can carry.
class TextEncoding {
 public:
  virtual ~TextEncoding() = default;
  // True when the code page holds c and reading that code back gives c
  // again. Characters it maps one way only (onto the code of another
  // character, as U+301C onto the code read as U+FF5E) give false, as do
  // those it cannot hold at all.
  virtual bool RoundTrips(char32_t c) = 0;
};

}  // namespace zb
