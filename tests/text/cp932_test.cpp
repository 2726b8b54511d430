#include <gtest/gtest.h>

#include "tests/support/utf8.h"
#include "text/cp932.h"

namespace reelctl::script {
namespace {

TEST(Cp932, TitleRoundTrip) {
    const std::string title = utf8(u8"Vostrelの リール制御 [ ３枚掛 左→中→右 ]");
    const std::string bytes =
        "Vostrel\x82\xcc \x83\x8a\x81\x5b\x83\x8b\x90\xa7\x8c\xe4 [ \x82\x52\x96\x87\x8a\x7c "
        "\x8d\xb6\x81\xa8\x92\x86\x81\xa8\x89\x45 ]";
    EXPECT_EQ(utf8_to_cp932(title), bytes);
    EXPECT_EQ(cp932_to_utf8(bytes), title);
}

TEST(Cp932, HalfWidthKatakanaAreSingleBytes) {
    EXPECT_EQ(utf8_to_cp932(utf8(u8"ﾘｰﾙ制御")), "\xd8\xb0\xd9\x90\xa7\x8c\xe4");
    EXPECT_EQ(cp932_to_utf8("\xd8\xb0\xd9\x90\xa7\x8c\xe4"), utf8(u8"ﾘｰﾙ制御"));
}

TEST(Cp932, TrailByteBackslashIsPartOfTheCharacter) {
    // 表 and ソ end in 0x5C; a backslash after them is a character of its own.
    EXPECT_EQ(utf8_to_cp932(utf8(u8"表ソ\\")), "\x95\x5c\x83\x5c\\");
    EXPECT_EQ(cp932_to_utf8("\x95\x5c\x83\x5c\\~"), utf8(u8"表ソ\\~"));
}

TEST(Cp932, UnencodableCharactersBecomeQuestionMarks) {
    EXPECT_EQ(utf8_to_cp932(utf8(u8"a\u20acb")), "a?b");
    EXPECT_EQ(utf8_to_cp932(utf8(u8"\u00e9\U0001F600")), "??");  // one mark per character, also outside the BMP
    // Characters that glibc maps one way only (minus sign, yen sign) have no code page 932 code.
    EXPECT_EQ(utf8_to_cp932(utf8(u8"\u2212\u00a5")), "??");
    EXPECT_EQ(utf8_to_cp932("a\xff" "b\xe3\x81"), "a?b??");  // bytes that are not UTF-8
}

TEST(Cp932, UndecodableBytesBecomeReplacementCharacters) {
    const std::string replacement = utf8(u8"\ufffd");
    EXPECT_EQ(cp932_to_utf8("\x80"), replacement);
    EXPECT_EQ(cp932_to_utf8("a\x81"), "a" + replacement);          // lead byte at the end
    EXPECT_EQ(cp932_to_utf8("\x81 x"), replacement + " x");         // lead byte without a trail byte
}

}  // namespace
}  // namespace reelctl::script
