#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "app/WorkingTables.h"
#include "platform/Error.h"
#include "platform/NameCodec.h"
#include "present/Examples.h"
#include "present/ResultTree.h"

namespace kirafu::test {
namespace {

using test::PrintTo;  // rows show by name

using Lines = std::vector<std::string>;

const std::string kTail = " . . . . . 1 KB 1999/01/30 9:15:02+";

// n tree columns of blanks, as the repair leaves the columns of ended folders.
std::string Blanks(int n) {
    std::string s;
    for (int i = 0; i < n; ++i) s += "　　　";
    return s;
}

// An entry `depth` folders deep (folders named 1, 2, ...) and the tree it gives on its own.
std::string DeepEntry(int depth) {
    std::string e = "C:";
    for (int d = 1; d <= depth; ++d) e += "\\" + std::to_string(d);
    return e + "\\f.txt" + kTail;
}
Lines DeepTree(int folders, const std::string& leaf) {
    Lines lines = {"C:<Drive>"};
    for (int d = 1; d <= folders; ++d)
        lines.push_back(Blanks(d - 1) + "└─" + std::to_string(d) + "<Folder>");
    lines.push_back(Blanks(folders) + "└─" + leaf);
    return lines;
}

using ResultTreeTest = TablesTest;

TEST_F(ResultTreeTest, WorkedExampleBuildsTheRepairedTree) {
    BuildAfterSurvey(Lines(kExampleEntries.begin(), kExampleEntries.end()));
    EXPECT_EQ(Tables().ListCount, 12);
    ExpectLines(ShownLines(), kExampleTreeAfter);
    const auto& headed = Tables().HeadedParts;
    EXPECT_EQ(Lines(headed.begin(), headed.begin() + 5), (Lines{"C:", "TEMP", "x", "y", ""}));
}

// The per-entry steps alone, without the repair: headings and file lines as first emitted.
TEST_F(ResultTreeTest, TreeStepsEmitTheProvisionalLines) {
    WorkingTables& t = Tables();
    t.HeadedParts[0].clear();
    t.ListCount = 0;
    for (std::string_view entry : kExampleEntries) {
        SplitEntry(entry);
        AddFolderHeadings();
        std::string& line = t.DisplayLines[static_cast<size_t>(t.ListCount++)];
        line.clear();
        for (int32_t j = 0; j < PartCount(); ++j) line += t.LinePieces[static_cast<size_t>(j)];
    }
    ExpectLines(ShownLines(), kExampleTreeBefore);
}

TEST_F(ResultTreeTest, RepairTurnsTheEmittedLinesIntoTheFinishedTree) {
    WorkingTables& t = Tables();
    Lines before = SjisAll(kExampleTreeBefore);
    std::copy(before.begin(), before.end(), t.DisplayLines.begin());
    t.ListCount = static_cast<int32_t>(before.size());
    RepairBranches();
    ExpectLines(ShownLines(), kExampleTreeAfter);
}

TEST_F(ResultTreeTest, EmptyResultWritesNoLine) {
    Tables().DisplayLines[0] = "older";
    BuildAfterSurvey({});
    EXPECT_EQ(Tables().ListCount, 0);
    EXPECT_EQ(Tables().DisplayLines[0], "older");
}

struct TreeCase {
    const char* label;
    Lines entries;  // UTF-8
    Lines tree;     // UTF-8, after the repair
};

class TreeEdgeTest : public ResultTreeTest, public ::testing::WithParamInterface<TreeCase> {};

TEST_P(TreeEdgeTest, BuildsTheExpectedLines) {
    BuildAfterSurvey(GetParam().entries);
    ExpectLines(ShownLines(), GetParam().tree);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, TreeEdgeTest,
    ::testing::Values(
        TreeCase{"SingleRootFile", {"C:\\a.txt" + kTail}, {"C:<Drive>", "└─a.txt" + kTail}},
        TreeCase{"RootFileBeforeAFolderKeepsItsTee",
                 {"C:\\a.txt" + kTail, "C:\\D\\b.txt" + kTail},
                 {"C:<Drive>", "├─a.txt" + kTail, "└─D<Folder>", "　　　└─b.txt" + kTail}},
        // The first heading is the drive's, whatever the depth; later headings are folders'.
        TreeCase{"FirstEntryDeep",
                 {"C:\\A\\B\\f.txt" + kTail, "C:\\g.txt" + kTail},
                 {"C:<Drive>", "├─A<Folder>", "│　　└─B<Folder>", "│　　　　　└─f.txt" + kTail,
                  "└─g.txt" + kTail}},
        // A heading makes every deeper level differ, whatever HeadedParts remembers there.
        TreeCase{"SameSubfolderNameUnderTwoFolders",
                 {"C:\\A\\X\\f.txt" + kTail, "C:\\B\\X\\g.txt" + kTail},
                 {"C:<Drive>", "├─A<Folder>", "│　　└─X<Folder>", "│　　　　　└─f.txt" + kTail,
                  "└─B<Folder>", "　　　└─X<Folder>", "　　　　　　└─g.txt" + kTail}},
        // The label goes by the line's place, not its level (a survey never mixes drives).
        TreeCase{"OnlyTheFirstLineIsLabelledDrive",
                 {"C:\\a.txt" + kTail, "D:\\b.txt" + kTail},
                 {"C:<Drive>", "└─a.txt" + kTail, "D:<Folder>", "└─b.txt" + kTail}},
        TreeCase{"NineFoldersDeep", {DeepEntry(9)}, DeepTree(9, "f.txt" + kTail)},
        // Folders past the ninth cannot come from a survey; they stay in the leaf text.
        TreeCase{"DeeperThanNineFoldersKeepsTheRestInTheLeaf",
                 {DeepEntry(11)},
                 DeepTree(9, "10\\11\\f.txt" + kTail)},
        // ソ is 83 5C: its second byte is not a separator, so one folder, one heading.
        TreeCase{
            "FolderNameWithTrailByte5C",
            {"C:\\ソフト\\a.txt" + kTail, "C:\\ソフト\\b.txt" + kTail},
            {"C:<Drive>", "└─ソフト<Folder>", "　　　├─a.txt" + kTail, "　　　└─b.txt" + kTail}},
        TreeCase{"LowerCaseDriveLetter", {"c:\\a.txt" + kTail}, {"c:<Drive>", "└─a.txt" + kTail}}),
    RowName());

TEST_F(ResultTreeTest, ShorterSecondBuildLeavesTheOlderSlotsAlone) {
    BuildAfterSurvey(Lines(kExampleEntries.begin(), kExampleEntries.end()));
    BuildAfterSurvey({"C:\\a.txt" + kTail});
    const WorkingTables& t = Tables();
    ASSERT_EQ(t.ListCount, 2);
    ExpectLines(ShownLines(), Lines{"C:<Drive>", "└─a.txt" + kTail});
    Lines rest(t.DisplayLines.begin() + 2, t.DisplayLines.begin() + 12);
    ExpectLines(rest, std::vector<std::string_view>(kExampleTreeAfter.begin() + 2,
                                                    kExampleTreeAfter.end()));
}

struct SplitCase {
    const char* label;
    std::string entry;  // UTF-8
    Lines pathParts;    // UTF-8, slots 0 .. PartCount-1
    std::string leaf;   // UTF-8, LinePieces[PartCount-1]
};

class SplitEntryTest : public ResultTreeTest, public ::testing::WithParamInterface<SplitCase> {};

TEST_P(SplitEntryTest, FillsThePathTables) {
    const SplitCase& c = GetParam();
    SplitEntry(Sjis(c.entry));
    const WorkingTables& t = Tables();
    const int32_t n = PartCount();
    ASSERT_EQ(n, static_cast<int32_t>(c.pathParts.size()));
    ExpectLines(Lines(t.PathParts.begin(), t.PathParts.begin() + n), c.pathParts);
    // Continuation glyphs, the branch glyph, then the leaf text.
    Lines pieces(static_cast<size_t>(n - 2), "│　　");
    pieces.push_back("├─");
    pieces.push_back(c.leaf);
    ExpectLines(Lines(t.LinePieces.begin(), t.LinePieces.begin() + n), pieces);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, SplitEntryTest,
    ::testing::Values(SplitCase{"FileThreeFoldersDeep",
                                "C:\\TEMP\\x\\y\\z.tmp . . . . . 2 KB 1999/01/30 12:00:08+",
                                {"C:", "TEMP", "x", "y", ""},
                                "z.tmp . . . . . 2 KB 1999/01/30 12:00:08+"},
                      SplitCase{"RootFile", "C:\\a.txt" + kTail, {"C:", ""}, "a.txt" + kTail},
                      SplitCase{"TrailByte5CIsNoSeparator",
                                "C:\\ソ\\表\\a" + kTail,
                                {"C:", "ソ", "表", ""},
                                "a" + kTail},
                      SplitCase{"NineFoldersMakeElevenParts",
                                DeepEntry(9),
                                {"C:", "1", "2", "3", "4", "5", "6", "7", "8", "9", ""},
                                "f.txt" + kTail},
                      SplitCase{"SeparatorsPastTheTenthStayInTheLeaf",
                                DeepEntry(10),
                                {"C:", "1", "2", "3", "4", "5", "6", "7", "8", "9", ""},
                                "10\\f.txt" + kTail},
                      // The date's first "/" ends the path; nothing after it is split.
                      SplitCase{"BackslashAfterTheDateStaysInTheLeaf",
                                "C:\\a\\b 1999/01/30 x\\y+",
                                {"C:", "a", ""},
                                "b 1999/01/30 x\\y+"},
                      SplitCase{"EntryWithoutDate", "C:\\a\\b.txt", {"C:", "a", ""}, "b.txt"},
                      SplitCase{
                          "EntryWithoutBackslashGetsAnEmptyDrivePart", "abc+", {"", ""}, "abc+"}),
    RowName());

struct RepairCase {
    const char* label;
    Lines before;  // UTF-8
    Lines after;   // UTF-8
};

class RepairTest : public ResultTreeTest, public ::testing::WithParamInterface<RepairCase> {};

TEST_P(RepairTest, RepairsInPlace) {
    WorkingTables& t = Tables();
    Lines before = SjisAll(GetParam().before);
    std::copy(before.begin(), before.end(), t.DisplayLines.begin());
    t.ListCount = static_cast<int32_t>(before.size());
    RepairBranches();
    ExpectLines(ShownLines(), GetParam().after);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, RepairTest,
    ::testing::Values(
        RepairCase{"LastLineKeepsNoVerticalAndNoTee",
                   {"C:<Drive>", "│　　│　　├─x+"},
                   {"C:<Drive>", "　　　　　　└─x+"}},
        RepairCase{
            "LastLineScanEndsAtItsFirstTee", {"C:<Drive>", "├─a│├+"}, {"C:<Drive>", "└─a│├+"}},
        RepairCase{"CornerEndsTheScan", {"C:<Drive>", "└─a│+"}, {"C:<Drive>", "└─a│+"}},
        // A tee that stays lets the scan run on over the name, by the same rules.
        RepairCase{"KeptTeeScansOnIntoTheName",
                   {"C:<Drive>", "├─a│b<Folder>", "│　　├─c+", "└─d+"},
                   {"C:<Drive>", "├─a　b<Folder>", "│　　└─c+", "└─d+"}},
        RepairCase{"OffsetPastTheEndOfTheLineBelowHoldsNoGlyph",
                   {"C:<Drive>", "│　　├─d<Folder>", "├─e+"},
                   {"C:<Drive>", "│　　└─d<Folder>", "└─e+"}},
        RepairCase{"LineZeroIsNeverChanged", {"├─x<Drive>", "├─y+"}, {"├─x<Drive>", "└─y+"}},
        RepairCase{"ScanEndsAtCr", {"C:<Drive>", "│\r│"}, {"C:<Drive>", "　\r│"}},
        RepairCase{"ScanEndsBeforeTheCharacterAheadOfLf",
                   {"C:<Drive>", "│a\n│"},
                   {"C:<Drive>", "　a\n│"}}),
    RowName());

struct OverflowCase {
    const char* label;
    int32_t displaySlots;
    int32_t entries;      // root files, one line each after the drive heading
    const char* message;  // UTF-8; nullptr: the tree fits
};

class TreeOverflowTest : public ::testing::TestWithParam<OverflowCase> {
  protected:
    void TearDown() override { ReleaseWorkingTables(); }
};

// The tree may fill all but the last DisplayLines slot, which the log's closing line needs.
TEST_P(TreeOverflowTest, StopsAtTheLastSlotButOne) {
    const OverflowCase& c = GetParam();
    Capacities caps = WithDisplaySlots(c.displaySlots);
    caps.resultSlots = c.entries;
    CreateWorkingTables(caps);
    WorkingTables& t = Tables();
    t.DriveRoot = "C:";
    Lines entries;
    for (int32_t i = 0; i < c.entries; ++i)
        entries.push_back("C:\\f" + std::to_string(100000 + i) + kTail);
    const size_t lastSlot = static_cast<size_t>(c.displaySlots - 1);
    t.DisplayLines[lastSlot] = "untouched";
    if (!c.message) {
        BuildAfterSurvey(entries);
        EXPECT_EQ(t.ListCount, c.entries + 1);
        EXPECT_EQ(t.DisplayLines[lastSlot], "untouched");
        return;
    }
    try {
        BuildAfterSurvey(entries);
        FAIL() << "no Failure";
    } catch (const Failure& f) {
        EXPECT_EQ(TextToUtf8(f.message()), c.message);
    }
    EXPECT_EQ(t.ListCount, 0);
    EXPECT_EQ(t.DisplayLines[lastSlot], "untouched");
}

INSTANTIATE_TEST_SUITE_P(
    Rows, TreeOverflowTest,
    ::testing::Values(
        OverflowCase{"FitsExactly", 6, 4, nullptr},
        OverflowCase{"OneLineTooMany", 6, 5,
                     "変更の表示には 6 行が必要ですが、表示できるのは 5 行までです。"},
        OverflowCase{"FarTooMany", 3, 40,
                     "変更の表示には 41 行が必要ですが、表示できるのは 2 行までです。"},
        OverflowCase{"StandardSetHoldsNoMoreThan9999", 10000, 10000,
                     "変更の表示には 10001 行が必要ですが、表示できるのは 9999 行までです。"},
        OverflowCase{"LargerSetHoldsMore", 20001, 15000, nullptr}),
    RowName());

}  // namespace
}  // namespace kirafu::test
