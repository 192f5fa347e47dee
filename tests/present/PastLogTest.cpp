#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/WorkingTables.h"
#include "mock/TempDrive.h"
#include "platform/Error.h"
#include "platform/NameCodec.h"
#include "present/Examples.h"
#include "present/PastLog.h"

namespace kirafu::test {
namespace {

using test::PrintTo;  // rows show by name

using Lines = std::vector<std::string>;

struct NameCase {
    const char* label;
    const char* path;
    bool passes;
};

class PastLogNameTest : public ::testing::TestWithParam<NameCase> {};

TEST_P(PastLogNameTest, LooksAtCharacters11And12AndTheEndOnly) {
    EXPECT_EQ(PassesLogNameTest(GetParam().path), GetParam().passes);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, PastLogNameTest,
    ::testing::Values(NameCase{"LogInTheDataFolder", "C:\\Kirafu\\KF99013090507.log", true},
                      NameCase{"BaselineFile", "C:\\Kirafu\\zenkaidt.txt", false},
                      NameCase{"UpperCaseExtension", "C:\\Kirafu\\KF99013090507.LOG", false},
                      NameCase{"LowerCasePrefix", "C:\\Kirafu\\kf99013090507.log", false},
                      NameCase{"LongerFolderName", "C:\\oldlogs\\KF99013090507.log", false},
                      NameCase{"OneFolderDeeper", "C:\\Kirafu\\old\\KF99013090507.log", false},
                      NameCase{"AnySixLetterFolder", "D:\\abcdef\\KF.log", true},
                      NameCase{"NoFolderAtAll", "C:\\abcdefgKF.log", true},
                      NameCase{"TooShortForCharacter12", "C:\\a.log", false},
                      NameCase{"Empty", "", false}),
    RowName());

class LoadPastLogTest : public TablesTest {
  protected:
    // Tables with `displaySlots` display lines, slot contents and counters set to show what
    // a load leaves alone.
    void Reset(int32_t displaySlots = 10000) {
        CreateWorkingTables(WithDisplaySlots(displaySlots));
        WorkingTables& t = Tables();
        for (auto& line : t.DisplayLines) line = "older";
        t.ListCount = 7;
        t.PastLogShown = 0;
    }
    void SetUp() override { Reset(); }

    TempDrive drive_{'C'};
};

TEST_F(LoadPastLogTest, RefusedPathChangesNothing) {
    drive_.MakeFile("Kirafu/zenkaidt.txt", "99/01/30\r\n 9:05:07\r\n*\r\n");
    PastLogOutcome outcome = LoadPastLog("C:\\Kirafu\\zenkaidt.txt");
    EXPECT_TRUE(outcome.refused);
    EXPECT_EQ(Tables().ListCount, 7);
    EXPECT_EQ(Tables().PastLogShown, 0);
    EXPECT_EQ(Tables().DisplayLines[0], "older");
    EXPECT_EQ(TextToUtf8(RefusalMessage()), "このファイルは開けません。");
}

TEST_F(LoadPastLogTest, WorkedExampleLogLoadsFifteenLines) {
    drive_.MakeFile("Kirafu/KF99013090507.log", ExampleLogBytes());
    PastLogOutcome outcome = LoadPastLog("C:\\Kirafu\\KF99013090507.log");
    EXPECT_FALSE(outcome.refused);
    EXPECT_FALSE(outcome.truncated);
    const WorkingTables& t = Tables();
    EXPECT_EQ(t.ListCount, 15);
    EXPECT_EQ(t.PastLogShown, 1);
    Lines expected = {std::string(kExampleHeader)};
    expected.insert(expected.end(), kExampleTreeAfter.begin(), kExampleTreeAfter.end());
    expected.push_back("");  // the closing line
    expected.push_back("");  // the final lone space
    ExpectLines(ShownLines(), expected);
    EXPECT_EQ(t.DisplayLines[15], "older");
}

TEST_F(LoadPastLogTest, FileThatCannotBeOpenedThrowsAndChangesNothing) {
    EXPECT_THROW(LoadPastLog("C:\\Kirafu\\KF99013090507.log"), Failure);
    EXPECT_EQ(Tables().ListCount, 7);
    EXPECT_EQ(Tables().PastLogShown, 0);
}

struct ReadCase {
    const char* label;
    int32_t displaySlots;
    std::string content;  // the file's bytes
    Lines lines;          // what DisplayLines[0 .. ListCount-1] then holds
    bool truncated;
};

class ReadPastLogTest : public LoadPastLogTest, public ::testing::WithParamInterface<ReadCase> {};

TEST_P(ReadPastLogTest, LoadsTheLines) {
    const ReadCase& c = GetParam();
    Reset(c.displaySlots);
    drive_.MakeFile("Kirafu/KFtest.log", c.content);
    PastLogOutcome outcome = LoadPastLog("C:\\Kirafu\\KFtest.log");
    ASSERT_FALSE(outcome.refused);
    EXPECT_EQ(outcome.truncated, c.truncated);
    EXPECT_EQ(Tables().PastLogShown, 1);
    EXPECT_EQ(ShownLines(), c.lines);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, ReadPastLogTest,
    ::testing::Values(
        ReadCase{"EmptyFile", 10000, "", {}, false},
        ReadCase{"StarLineIsStoredAndEndsTheReading",
                 10000,
                 "h\r\n a\r\n b\r\n*\r\n c\r\n ",
                 {"h", "a", "b", "*"},
                 false},
        ReadCase{"LineEndingInAStarIsNoEndMarker", 10000, " a*\r\n b", {"a*", "b"}, false},
        ReadCase{"LongLineComesBackWhole",
                 10000,
                 " " + std::string(300, 'a') + "\r\n ",
                 {std::string(300, 'a'), ""},
                 false},
        ReadCase{
            "TrimsControlBytesAndBlanksAtBothEnds", 10000, "\t \x01x y \x1f\r\n", {"x y"}, false},
        ReadCase{"LastLineWithoutLineEnd", 10000, "a\r\nb", {"a", "b"}, false},
        ReadCase{"LongerThanDisplayLinesLoadsTheFirstLines",
                 3,
                 "1\r\n2\r\n3\r\n4\r\n5",
                 {"1", "2", "3"},
                 true},
        ReadCase{"ExactlyDisplayLinesIsWhole", 3, "1\r\n2\r\n3\r\n", {"1", "2", "3"}, false},
        ReadCase{"StarInTheLastSlotEndsTheReading", 3, "1\r\n2\r\n*\r\n4", {"1", "2", "*"}, false}),
    RowName());

}  // namespace
}  // namespace kirafu::test
