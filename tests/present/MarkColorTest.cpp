#include <gtest/gtest.h>

#include <string>

#include "platform/NameCodec.h"
#include "present/Examples.h"
#include "present/MarkColor.h"

namespace kirafu::test {
namespace {

using test::PrintTo;  // rows show by name

struct ColorCase {
    const char* label;
    std::string line;  // Shift-JIS
    uint32_t color;
    bool hiddenWhenLostAreHidden;
};

class MarkColorTest : public ::testing::TestWithParam<ColorCase> {};

TEST_P(MarkColorTest, ColoursByTheLastByte) {
    EXPECT_EQ(MarkColor(GetParam().line), GetParam().color);
    EXPECT_EQ(IsHiddenLine(GetParam().line, true), GetParam().hiddenWhenLostAreHidden);
    EXPECT_FALSE(IsHiddenLine(GetParam().line, false));
}

INSTANTIATE_TEST_SUITE_P(
    Rows, MarkColorTest,
    ::testing::Values(ColorCase{"Deleted", "a.txt 1999/01/20 18:02:44-", kRed, false},
                      ColorCase{"NewVersion", "a.txt 1999/01/30 11:20:36*", kBlue, false},
                      ColorCase{"LostOldVersion", "a.txt 1999/01/12 16:45:10!", kMaroon, true},
                      ColorCase{"Heading", "DATA<Folder>", kGreen, false},
                      ColorCase{"Added", "a.txt 1999/01/30 9:15:02+", kBlack, false},
                      ColorCase{"Empty", "", kBlack, false},
                      ColorCase{"MarkNotLast", "a!b", kBlack, false},
                      ColorCase{"EndsInAJapaneseCharacter", Sjis("99/01/30 9:05:07まで"), kBlack,
                                false}),
    RowName());

}  // namespace
}  // namespace kirafu::test
