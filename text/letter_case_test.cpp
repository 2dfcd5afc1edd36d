#include "text/letter_case.h"

#include <gtest/gtest.h>

namespace zb {
namespace {

TEST(LetterCase, ProgramNamesFoldAsciiLettersOnly) {
  EXPECT_TRUE(EqualsIgnoreCase("PAGEFILE.SYS", "pagefile.sys"));
  EXPECT_TRUE(EqualsIgnoreCase("_ZORBELLE", "_Zorbelle"));
  EXPECT_FALSE(EqualsIgnoreCase("_Zorbelle2", "_Zorbelle"));
  EXPECT_FALSE(EqualsIgnoreCase("", "a"));
  EXPECT_FALSE(EqualsIgnoreCase("Ä", "ä"));
  EXPECT_EQ(ToLowerAscii("Photo.JPG"), "photo.jpg");
  EXPECT_EQ(ToLowerAscii("写真.JPG"), "写真.jpg");  // multibyte text passes untouched
}

TEST(LetterCase, FileNamesFoldAllOfUnicode) {
  EXPECT_TRUE(SameNameIgnoringCase("Ελλάδα", "ΕΛΛΆΔΑ"));
  EXPECT_TRUE(SameNameIgnoringCase("äPFEL/ａｂｃ.jpg", "Äpfel/ＡＢＣ.JPG"));
  EXPECT_TRUE(SameNameIgnoringCase("ǆ", "Ǆ"));
  EXPECT_TRUE(SameNameIgnoringCase("ā", "Ā"));   // in a run of every other code point
  EXPECT_FALSE(SameNameIgnoringCase("ā", "Ă"));  // its neighbour in the run
  EXPECT_FALSE(SameNameIgnoringCase("a.jpg", "a.jpgx"));
  EXPECT_FALSE(SameNameIgnoringCase("ß", "SS"));  // one character for one
}

TEST(LetterCase, BytesThatAreNoUtf8StandForThemselves) {
  EXPECT_FALSE(SameNameIgnoringCase("\xFF", "\xFE"));
  EXPECT_TRUE(SameNameIgnoringCase("a\xFF", "A\xFF"));
  // A stray lead byte is not the character its bytes would start.
  EXPECT_FALSE(SameNameIgnoringCase("\xC3", "\xC3\x84"));
  EXPECT_NE(FoldedName("\xC3"
                       "A"),
            FoldedName("\xC3\x81"));
}

TEST(LetterCase, FoldedNamesAreAlikeExactlyForTheSameName) {
  EXPECT_EQ(FoldedName("äpfel ǆ ｚ \U0001E922.jpg"), "ÄPFEL Ǆ Ｚ \U0001E900.JPG");
  EXPECT_EQ(FoldedName("Äpfel.jpg"), FoldedName("äPFEL.JPG"));
  EXPECT_EQ(FoldedName("a\xFF"), FoldedName("A\xFF"));
  EXPECT_NE(FoldedName("a\xFF"), FoldedName("a\xFE"));
  EXPECT_NE(FoldedName("Straße"), FoldedName("STRASSE"));
  EXPECT_EQ(FoldedName("\U0001F600x"), FoldedName("\U0001F600X"));
}

}  // namespace
}  // namespace zb
