#pragma once

#include "text/shift_jis_code_page.h"

namespace zb {

// Code page 932 through the Windows converters. Only what reads back as
// itself has a code: Windows' best-fit look-alikes ("¥" as "\") are refused.
class Win32ShiftJisEncoding : public ShiftJisCodePage {
 protected:
  Code Encode(char32_t c) override;
  bool DecodesTo(Code code, char32_t c) override;
};

}  // namespace zb
