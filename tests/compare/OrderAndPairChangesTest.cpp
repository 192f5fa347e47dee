#include <gtest/gtest.h>

#include "compare/CompareTables.h"
#include "compare/OrderAndPairChanges.h"
#include "mock/RowName.h"

namespace kirafu {
namespace {

using test::PrintTo;  // rows show by label

using test::EntryLine;
using test::Lines;
using test::Results;

void LoadResults(const Lines& entries) {
    CreateWorkingTables(Capacities{8, 16, 8, 50, 10});
    WorkingTables& t = Tables();
    std::copy(entries.begin(), entries.end(), t.ResultList.begin());
    t.ResultCount = static_cast<int32_t>(entries.size());
}

// Entry lines of folder "data" with a change mark.
Text Data(const std::string& name, int kb, char mark) {
    return EntryLine("data", name, kb) + mark;
}

struct PairCase {
    const char* label;
    Lines entries;   // as ClassifyChanges leaves them
    Lines expected;  // sorted and paired
};

class OrderAndPairChangesCase : public testing::TestWithParam<PairCase> {};

TEST_P(OrderAndPairChangesCase, SortsAndMarksOverwrites) {
    LoadResults(GetParam().entries);
    OrderAndPairChanges();
    EXPECT_EQ(Results(), GetParam().expected);
}

const Text kSo = "\x83\x5C";  // ソ: its lead byte is above every ASCII byte

INSTANTIATE_TEST_SUITE_P(
    EdgeCases, OrderAndPairChangesCase,
    testing::Values(
        PairCase{"NoEntries", {}, {}},
        PairCase{"OneEntry", {Data("a.txt", 1, '-')}, {Data("a.txt", 1, '-')}},
        PairCase{"NewLineSortsFirst",
                 {Data("c.txt", 3, '-'), Data("c.txt", 2, '+')},
                 {Data("c.txt", 2, '*'), Data("c.txt", 3, '!')}},
        PairCase{"OldLineSortsFirst",
                 {Data("c.txt", 3, '+'), Data("c.txt", 2, '-')},
                 {Data("c.txt", 2, '!'), Data("c.txt", 3, '*')}},
        PairCase{"AddedAndDeletedOtherFiles",
                 {Data("b.txt", 1, '-'), Data("a.txt", 1, '+')},
                 {Data("a.txt", 1, '+'), Data("b.txt", 1, '-')}},
        PairCase{"BothAdded",
                 {Data("c.txt", 2, '+'), Data("c.txt", 3, '+')},
                 {Data("c.txt", 2, '*'), Data("c.txt", 3, '!')}},
        PairCase{"BothDeleted",
                 {Data("c.txt", 2, '-'), Data("c.txt", 3, '-')},
                 {Data("c.txt", 2, '!'), Data("c.txt", 3, '*')}},
        PairCase{"ThreeOfOneFile",
                 {Data("c.txt", 4, '+'), Data("c.txt", 3, '+'), Data("c.txt", 2, '-')},
                 {Data("c.txt", 2, '!'), Data("c.txt", 3, '!'), Data("c.txt", 4, '*')}},
        PairCase{"FolderWithFullStopAndBlank",
                 {EntryLine("data.old files", "b.txt", 1) + '-',
                  EntryLine("data.old files", "a.txt", 1) + '+'},
                 {EntryLine("data.old files", "a.txt", 1) + '*',
                  EntryLine("data.old files", "b.txt", 1) + '!'}},
        PairCase{"NameWithMoreCharacters",
                 {Data("a.txt2", 1, '-'), Data("a.txt", 1, '+')},
                 {Data("a.txt", 1, '*'), Data("a.txt2", 1, '!')}},
        PairCase{"DifferOnlyAtFullStop",
                 {Data("a_txt", 1, '-'), Data("a.txt", 1, '+')},
                 {Data("a.txt", 1, '*'), Data("a_txt", 1, '!')}},
        PairCase{"LetterCaseChanged",
                 {Data("c.txt", 1, '-'), Data("C.TXT", 1, '+')},
                 {Data("C.TXT", 1, '+'), Data("c.txt", 1, '-')}},
        // Entries no survey makes (pieces of a damaged baseline) never pair.
        PairCase{
            "NoFullStop", {"C:\\abc-", "C:\\abc+", "-", "-"}, {"-", "-", "C:\\abc+", "C:\\abc-"}},
        PairCase{"NoBlankAfterFullStop", {"C:\\a.b-", "C:\\a.b+"}, {"C:\\a.b+", "C:\\a.b-"}},
        PairCase{"UnsignedBytesPrefixFirst",
                 {Data(kSo + ".txt", 1, '+'), Data("z.txt", 1, '+'), Data("A.txt", 1, '-'),
                  "C:\\ab-x", "C:\\ab-"},
                 {"C:\\ab-", "C:\\ab-x", Data("A.txt", 1, '-'), Data("z.txt", 1, '+'),
                  Data(kSo + ".txt", 1, '+')}}),
    test::RowName());

TEST(OrderAndPairChanges, ReadsNothingFromResultCountOn) {
    LoadResults({Data("a.txt", 1, '+'), Data("a.txt", 2, '-')});
    Tables().ResultCount = 1;
    OrderAndPairChanges();
    EXPECT_EQ(Tables().ResultList[0], Data("a.txt", 1, '+'));
    EXPECT_EQ(Tables().ResultList[1], Data("a.txt", 2, '-'));
}

}  // namespace
}  // namespace kirafu
