#include <gtest/gtest.h>

#include "mock/RowName.h"
#include "platform/NameCodec.h"

namespace kirafu {
namespace {

using test::PrintTo;  // rows show by label

struct NameCase {
    const char* label;
    std::string host;  // host bytes (UTF-8 or not)
    std::string text;  // the Shift-JIS text it must give
};

class NameCodecCase : public testing::TestWithParam<NameCase> {};

TEST_P(NameCodecCase, ConvertsAndConvertsBack) {
    const NameCase& c = GetParam();
    EXPECT_EQ(HostNameToText(c.host), c.text);
    EXPECT_EQ(TextToHostName(c.text), c.host);
}

INSTANTIATE_TEST_SUITE_P(
    Names, NameCodecCase,
    testing::Values(NameCase{"Ascii", "readme.txt", "readme.txt"},
                    NameCase{"Katakana", "\xE3\x82\xBD\xE3\x83\x95\xE3\x83\x88",
                             "\x83\x5C\x83\x74\x83\x67"},                   // ソフト
                    NameCase{"HalfWidthKatakana", "\xEF\xBD\xB1", "\xB1"},  // ｱ
                    NameCase{"AccentNotInCp932", "caf\xC3\xA9", "caf%C3%A9"},
                    NameCase{"WaveDashFoldedByCp932", "a\xE3\x80\x9C", "a%E3%80%9C"},  // 〜 U+301C
                    NameCase{"YenSignFoldedOntoBackslash", "\xC2\xA5", "%C2%A5"},
                    NameCase{"FullwidthTildeKept", "\xEF\xBD\x9E", "\x81\x60"},  // ～ U+FF5E
                    NameCase{"Emoji", "\xF0\x9F\x98\x80", "%F0%9F%98%80"},
                    NameCase{"Backslash", "a\\b", "a%5Cb"}, NameCase{"Percent", "100%", "100%25"},
                    NameCase{"EscapeLookalike", "%41", "%2541"},
                    NameCase{"Newline", "a\nb", "a%0Ab"},
                    NameCase{"CarriageReturnAndTab", "\r\t", "%0D%09"},
                    NameCase{"Delete", "\x7F", "%7F"},
                    NameCase{"InvalidUtf8", "a\xFF\xC3", "a%FF%C3"},
                    NameCase{"OverlongUtf8", "\xC0\xAF", "%C0%AF"},
                    NameCase{"Surrogate", "\xED\xA0\x80", "%ED%A0%80"},
                    NameCase{"Blanks", " a b ", " a b "}, NameCase{"EndMarkerName", "*", "*"}),
    test::RowName());

TEST(NameCodec, ProgramTextsBecomeShiftJis) {
    EXPECT_EQ(Sjis("│　　"), "\x84\xA0\x81\x40\x81\x40");
    EXPECT_EQ(Sjis("├─"), "\x84\xA5\x84\x9F");
    EXPECT_EQ(Sjis("このファイルは開けません。").size(), 26u);
    EXPECT_EQ(Sjis("C:\\x"), "C:\\x");
}

TEST(NameCodec, ShiftJisToUtf8ForTheTerminal) {
    EXPECT_EQ(TextToUtf8("\x83\x5C\x83\x74\x83\x67 ok"), "ソフト ok");
    EXPECT_EQ(TextToUtf8("caf%C3%A9"), "caf%C3%A9");    // escapes are shown as written
    EXPECT_EQ(TextToUtf8("\x85\x40"), "\xEF\xBF\xBD");  // an unassigned code
}

}  // namespace
}  // namespace kirafu
