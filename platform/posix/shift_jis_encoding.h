#pragma once

#include <iconv.h>

#include "text/shift_jis_code_page.h"

namespace zb {

// Code page 932 through glibc's iconv.
class ShiftJisEncoding : public ShiftJisCodePage {
 public:
  // Throws FileError when the host has no CP932 converter.
  ShiftJisEncoding();
  ~ShiftJisEncoding() override;
  ShiftJisEncoding(const ShiftJisEncoding&) = delete;
  ShiftJisEncoding& operator=(const ShiftJisEncoding&) = delete;

 private:
  Code Encode(char32_t c) override;
  bool DecodesTo(Code code, char32_t c) override;

  iconv_t encoder_;
  iconv_t decoder_;
};

}  // namespace zb
