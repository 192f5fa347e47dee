#include <gtest/gtest.h>

#include "mock/RowName.h"
#include "survey/EntryLine.h"

namespace kirafu {
namespace {

using test::PrintTo;  // rows show by label

struct TailCase {
    const char* label;
    int64_t bytes;
    LocalMoment time;
    const char* line;  // the entry line of a file named x in C:\Windows
};

class EntryLineCase : public testing::TestWithParam<TailCase> {};

TEST_P(EntryLineCase, MakesTheLine) {
    const TailCase& c = GetParam();
    EXPECT_EQ(MakeEntryLine("C:", "\\Windows", "x", MakeEntryTail(c.bytes, c.time)), c.line);
}

constexpr LocalMoment kJan5{2003, 1, 5, 9, 5, 8};

INSTANTIATE_TEST_SUITE_P(
    Tails, EntryLineCase,
    testing::Values(
        TailCase{"Empty", 0, kJan5, "C:\\Windows\\x . . . . . 1 KB 2003/01/05 9:05:08"},
        TailCase{"TwoDigits", 20000, kJan5, "C:\\Windows\\x . . . . 20 KB 2003/01/05 9:05:08"},
        TailCase{"ThreeDigits", 150000, kJan5, "C:\\Windows\\x . . . 147 KB 2003/01/05 9:05:08"},
        TailCase{"FourDigits", 2000000, kJan5, "C:\\Windows\\x . . 1954 KB 2003/01/05 9:05:08"},
        TailCase{"FiveDigits", 30000000, kJan5, "C:\\Windows\\x . . 29297 KB 2003/01/05 9:05:08"},
        TailCase{"Bytes1023", 1023, kJan5, "C:\\Windows\\x . . . . . 1 KB 2003/01/05 9:05:08"},
        TailCase{"Bytes1024", 1024, kJan5, "C:\\Windows\\x . . . . . 2 KB 2003/01/05 9:05:08"},
        TailCase{"Size9", 8 * 1024, kJan5, "C:\\Windows\\x . . . . . 9 KB 2003/01/05 9:05:08"},
        TailCase{"Size10", 9 * 1024, kJan5, "C:\\Windows\\x . . . . 10 KB 2003/01/05 9:05:08"},
        TailCase{"Size99", 98 * 1024, kJan5, "C:\\Windows\\x . . . . 99 KB 2003/01/05 9:05:08"},
        TailCase{"Size100", 99 * 1024, kJan5, "C:\\Windows\\x . . . 100 KB 2003/01/05 9:05:08"},
        TailCase{"Size999", 998 * 1024, kJan5, "C:\\Windows\\x . . . 999 KB 2003/01/05 9:05:08"},
        TailCase{"Size1000", 999 * 1024, kJan5, "C:\\Windows\\x . . 1000 KB 2003/01/05 9:05:08"},
        // Sizes past 2 GiB are the true size, not its low 32 bits.
        TailCase{"TwoGiB", 2147483648LL, kJan5, "C:\\Windows\\x . . 2097153 KB 2003/01/05 9:05:08"},
        TailCase{"FourGiBPlus5000", (4LL << 30) + 5000, kJan5,
                 "C:\\Windows\\x . . 4194309 KB 2003/01/05 9:05:08"},
        TailCase{"Midnight", 0, {2001, 4, 1, 0, 0, 0}, "C:\\Windows\\x . . . . . 1 KB 2001/04/01"},
        TailCase{"TwoSecondsPastMidnight",
                 0,
                 {2001, 4, 1, 0, 0, 2},
                 "C:\\Windows\\x . . . . . 1 KB 2001/04/01 0:00:02"},
        TailCase{"TwoDigitHour",
                 3587,
                 {1998, 7, 21, 14, 5, 8},
                 "C:\\Windows\\x . . . . . 4 KB 1998/07/21 14:05:08"},
        // The century is the real one.
        TailCase{"Year1985",
                 0,
                 {1985, 6, 1, 12, 0, 0},
                 "C:\\Windows\\x . . . . . 1 KB 1985/06/01 12:00:00"},
        TailCase{"Year2095",
                 0,
                 {2095, 6, 1, 12, 0, 0},
                 "C:\\Windows\\x . . . . . 1 KB 2095/06/01 12:00:00"},
        TailCase{"Year2107",
                 0,
                 {2107, 12, 31, 23, 59, 58},
                 "C:\\Windows\\x . . . . . 1 KB 2107/12/31 23:59:58"}),
    test::RowName());

TEST(EntryLine, RootFilesAndLowerCaseDrives) {
    EXPECT_EQ(MakeEntryLine("C:", "", "win.ini", MakeEntryTail(3587, {1998, 7, 21, 14, 5, 8})),
              "C:\\win.ini . . . . . 4 KB 1998/07/21 14:05:08");
    EXPECT_EQ(MakeEntryLine("c:", "", ".", MakeEntryTail(0, {2001, 4, 1, 0, 0, 0})),
              "c:\\. . . . . . 1 KB 2001/04/01");
}

}  // namespace
}  // namespace kirafu
