#include <gtest/gtest.h>

#include "compare/ClassifyChanges.h"
#include "compare/CompareTables.h"
#include "compare/OrderAndPairChanges.h"
#include "mock/RowName.h"
#include "mock/TempDrive.h"
#include "platform/Error.h"
#include "platform/NameCodec.h"

namespace kirafu {
namespace {

using test::PrintTo;  // rows show by label

using test::EntryLine;
using test::Head;
using test::Lines;
using test::LoadLists;
using test::RecordingProgressBar;
using test::Results;

// The drive of the worked example: a.txt and f.txt unchanged, b.txt deleted, c.txt and e.txt
// overwritten, d.txt added.
const Text kA1 = "C:\\data\\a.txt . . . . . 1 KB 1999/01/30 10:00:00";
const Text kB2 = "C:\\data\\b.txt . . . . . 2 KB 1999/01/30 10:00:00";
const Text kC10 = "C:\\data\\c.txt . . . . 10 KB 1999/01/30 10:00:00";
const Text kC12 = "C:\\data\\c.txt . . . . 12 KB 1999/02/01 9:30:00";
const Text kD3 = "C:\\data\\d.txt . . . . . 3 KB 1999/02/01 9:30:00";
const Text kE5 = "C:\\data\\e.txt . . . . . 5 KB 1999/01/30 10:00:00";
const Text kE3 = "C:\\data\\e.txt . . . . . 3 KB 1999/02/01 9:30:00";
const Text kF7 = "C:\\data\\f.txt . . . . . 7 KB 1999/01/30 10:00:00";

TEST(ClassifyChanges, WorkedExampleThenOrderAndPairing) {
    LoadLists({kA1, kB2, kC10, kE5, kF7}, {kA1, kC12, kD3, kE3, kF7});
    RecordingProgressBar bar;
    ClassifyChanges(bar);

    WorkingTables& t = Tables();
    EXPECT_EQ(t.PeriodHeader, Sjis("99/01/30 10:05:00から 99/02/01 9:45:10まで"));
    // Compacted in place: the end marker behind the left-overs, consumed markers behind it.
    EXPECT_EQ(Head(t.PreviousList, 6), (Lines{kB2, kC10, kE5, "*", "-", "-"}));
    EXPECT_EQ(Head(t.CurrentList, 6), (Lines{kC12, kD3, kE3, "*", "-", "-"}));
    EXPECT_EQ(t.ListCount, 3);
    EXPECT_EQ(Results(),
              (Lines{kC12 + "+", kD3 + "+", kE3 + "+", kB2 + "-", kC10 + "-", kE5 + "-"}));
    EXPECT_EQ(bar.calls, (std::vector<std::string>{
                             "max 5", "pos 0", "pos 1", "pos 2", "pos 3", "pos 4",  // head phase
                             "pos 0", "pos 1", "pos 2", "pos 3", "pos 4",           // tail phase
                             "max 3", "pos 1", "pos 2", "pos 3",                    // left-overs
                             "pos 0"}));

    OrderAndPairChanges();
    EXPECT_EQ(Results(),
              (Lines{kB2 + "-", kC10 + "!", kC12 + "*", kD3 + "+", kE3 + "*", kE5 + "!"}));
}

TEST(ClassifyChanges, EmptyListsSetTheBarToZero) {
    LoadLists({}, {});
    RecordingProgressBar bar;
    ClassifyChanges(bar);
    EXPECT_EQ(Tables().ResultCount, 0);
    EXPECT_EQ(bar.calls, (std::vector<std::string>{"max 0", "max 0", "pos 0"}));
}

// Entry lines of files `first` to `last` of one folder.
Lines Files(const std::string& folder, int first, int last) {
    Lines lines;
    for (int n = first; n <= last; ++n)
        lines.push_back(EntryLine(folder, "f" + std::to_string(n) + ".txt", 1));
    return lines;
}

Lines Join(std::initializer_list<Lines> parts) {
    Lines all;
    for (const Lines& part : parts) all.insert(all.end(), part.begin(), part.end());
    return all;
}

Lines Marked(const Lines& lines, char mark) {
    Lines marked;
    for (const Text& line : lines) marked.push_back(line + mark);
    return marked;
}

struct ClassifyCase {
    const char* label;
    Lines previous;
    Lines current;
    Lines results;
    int32_t previousLeft;  // ListCount afterwards
};

class ClassifyChangesCase : public testing::TestWithParam<ClassifyCase> {};

TEST_P(ClassifyChangesCase, ReportsWhatTheListsDoNotShare) {
    const ClassifyCase& c = GetParam();
    LoadLists(c.previous, c.current);
    const TextTable previousBefore = Tables().PreviousList;
    const TextTable currentBefore = Tables().CurrentList;
    RecordingProgressBar bar;
    ClassifyChanges(bar);

    const WorkingTables& t = Tables();
    EXPECT_EQ(Results(), c.results);
    EXPECT_EQ(t.ListCount, c.previousLeft);
    // Nothing behind the end markers is written (and, by the baits there, nothing is read).
    for (size_t slot = c.previous.size() + 1; slot < previousBefore.size(); ++slot) {
        ASSERT_EQ(t.PreviousList[slot], previousBefore[slot]) << "PreviousList slot " << slot;
    }
    for (size_t slot = c.current.size() + 1; slot < currentBefore.size(); ++slot) {
        ASSERT_EQ(t.CurrentList[slot], currentBefore[slot]) << "CurrentList slot " << slot;
    }
}

const Text kA = EntryLine("d", "a.txt", 1);
const Text kB = EntryLine("d", "b.txt", 2);
const Text kC = EntryLine("d", "c.txt", 3);
const Text kANew = EntryLine("d", "a.txt", 4, "2003/01/05 9:05:08");

INSTANTIATE_TEST_SUITE_P(
    EdgeCases, ClassifyChangesCase,
    testing::Values(
        ClassifyCase{"UnchangedUnderOneHundred", {kA, kB, kC}, {kA, kB, kC}, {}, 0},
        ClassifyCase{"NoFilesOnTheDrive", {kA, kB, kC}, {}, {kA + "-", kB + "-", kC + "-"}, 3},
        ClassifyCase{"EmptyBaseline", {}, {kA, kB, kC}, {kA + "+", kB + "+", kC + "+"}, 0},
        ClassifyCase{"BothEmpty", {}, {}, {}, 0},
        ClassifyCase{"ChangedFile", {kA, kB}, {kANew, kB}, {kANew + "+", kA + "-"}, 1},
        ClassifyCase{"LineTwiceInBaseline", {kA, kB, kA}, {kA, kB}, {kA + "-"}, 1},
        ClassifyCase{"LineTwiceInSurvey", {kA}, {kA, kA}, {kA + "+"}, 0},
        // Current positions 151 and up search windows behind the baseline's end marker; the
        // baseline's files, last in the survey, are found one by one afterwards.
        ClassifyCase{"SurveyOf500BaselineOf50", Files("old", 0, 49),
                     Join({Files("new", 0, 449), Files("old", 0, 49)}),
                     Marked(Files("new", 0, 449), '+'), 50},
        // 150 files added early: every later file lies outside its window and is found among
        // the left-overs, unreported.
        ClassifyCase{"ShiftOf150", Files("x", 0, 299),
                     Join({Files("x", 0, 9), Files("a", 0, 149), Files("x", 10, 299)}),
                     Marked(Files("a", 0, 149), '+'), 290},
        ClassifyCase{"ShiftBackOf150", Files("x", 0, 299),
                     Join({Files("x", 0, 9), Files("x", 160, 299)}),
                     Marked(Files("x", 10, 159), '-'), 290}),
    test::RowName());

struct OverflowCase {
    const char* label;
    int previousFiles;  // all different from the current ones
    int currentFiles;
    int32_t limit;
    const char* message;  // UTF-8; nullptr when the changes fit
};

class ClassifyChangesOverflow : public testing::TestWithParam<OverflowCase> {};

TEST_P(ClassifyChangesOverflow, RefusesChangesBeyondResultList) {
    const OverflowCase& c = GetParam();
    LoadLists(Files("old", 1, c.previousFiles), Files("new", 1, c.currentFiles),
              Capacities{32, c.limit, 16, 50, 10});
    for (Text& slot : Tables().ResultList) slot = "earlier";
    RecordingProgressBar bar;

    if (c.message == nullptr) {
        ClassifyChanges(bar);
        EXPECT_EQ(Tables().ResultCount, c.previousFiles + c.currentFiles);
        return;
    }
    try {
        ClassifyChanges(bar);
        FAIL() << "no Failure";
    } catch (const Failure& failure) {
        EXPECT_EQ(failure.message(), Sjis(c.message));
    }
    EXPECT_EQ(Tables().ResultCount, 0);
    EXPECT_EQ(Tables().ResultList, TextTable(static_cast<size_t>(c.limit), "earlier"));
    EXPECT_EQ(bar.calls.back(), "pos 0");
}

INSTANTIATE_TEST_SUITE_P(
    Capacity, ClassifyChangesOverflow,
    testing::Values(OverflowCase{"FitsExactly", 2, 3, 5, nullptr},
                    OverflowCase{"OneTooMany", 3, 3, 5,
                                 "変更のあったファイルが多すぎます（6 件、上限 5 件）。"},
                    OverflowCase{"CountsEveryChange", 10, 10, 4,
                                 "変更のあったファイルが多すぎます（20 件、上限 4 件）。"}),
    test::RowName());

// Nothing depends on the standard capacities: lists of 35000 files and 24000 changes.
TEST(ClassifyChanges, LargerTablesHoldMore) {
    const Lines baseline = Files("x", 0, 34999);
    LoadLists(baseline, Join({Files("a", 0, 11999), Files("x", 0, 22999)}),
              Capacities{40000, 30000, 16, 50, 10});
    NoProgressBar bar;
    ClassifyChanges(bar);
    EXPECT_EQ(Tables().ListCount, 35000);
    EXPECT_EQ(Results(),
              Join({Marked(Files("a", 0, 11999), '+'), Marked(Files("x", 23000, 34999), '-')}));
}

}  // namespace
}  // namespace kirafu
