#pragma once

namespace zb {

// What the generated files' code page (Shift_JIS, 932) can hold.
class TextEncoding {
 public:
  virtual ~TextEncoding() = default;
  virtual bool CanEncode(char32_t c) = 0;
};

}  // namespace zb
