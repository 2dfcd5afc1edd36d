// The file name rule's own table against the host's Unicode data: the fake
// file system and the real one must fold every character alike.
#include <gtest/gtest.h>
#include <locale.h>
#include <wctype.h>

#include <string>
#include <string_view>

#include "text/letter_case.h"
#include "text/utf8.h"

namespace zb {
namespace {

TEST(NameFolding, EveryCharacterFoldsToTheHostsUpperCase) {
  const locale_t unicode = newlocale(LC_CTYPE_MASK, "C.UTF-8", locale_t{});
  ASSERT_NE(unicode, locale_t{});
  for (char32_t c = 0; c <= 0x10FFFF; ++c) {
    if (c >= 0xD800 && c <= 0xDFFF) continue;
    const auto upper = static_cast<char32_t>(towupper_l(static_cast<wint_t>(c), unicode));
    std::string utf8;
    AppendUtf8(c, utf8);
    std::string_view name = utf8;
    ASSERT_EQ(TakeFolded(name), upper) << std::hex << static_cast<unsigned>(c);
    ASSERT_TRUE(name.empty());
  }
  freelocale(unicode);
}

}  // namespace
}  // namespace zb
