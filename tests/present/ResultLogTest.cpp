#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "app/WorkingTables.h"
#include "mock/TempDrive.h"
#include "platform/Error.h"
#include "platform/NameCodec.h"
#include "present/Examples.h"
#include "present/ResultLog.h"
#include "present/ResultTree.h"

namespace kirafu::test {
namespace {

using test::PrintTo;  // rows show by name

struct NameCase {
    const char* label;
    const char* driveRoot;
    const char* date;
    const char* time;
    const char* path;
};

class ResultLogNameTest : public TablesTest, public ::testing::WithParamInterface<NameCase> {};

TEST_P(ResultLogNameTest, FollowsTheSurveyMoment) {
    const NameCase& c = GetParam();
    Tables().DriveRoot = c.driveRoot;
    Tables().SurveyDate = c.date;
    Tables().SurveyTime = c.time;
    EXPECT_EQ(ResultLogPath(), c.path);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, ResultLogNameTest,
    ::testing::Values(
        NameCase{"OneDigitHourStaysOneDigit", "C:", "99/01/30", "9:05:07",
                 "C:\\Kirafu\\KF99013090507.log"},
        NameCase{"TwoDigitHour", "C:", "99/01/30", "12:34:56", "C:\\Kirafu\\KF990130123456.log"},
        NameCase{"TenOClock", "D:", "03/01/05", "10:00:00", "D:\\Kirafu\\KF030105100000.log"},
        NameCase{"Midnight", "C:", "00/12/31", "0:00:00", "C:\\Kirafu\\KF00123100000.log"},
        NameCase{"LowerCaseDrive", "c:", "99/01/30", "9:05:07", "c:\\Kirafu\\KF99013090507.log"}),
    RowName());

class WriteResultLogTest : public TablesTest {
  protected:
    void SetUp() override {
        TablesTest::SetUp();
        drive_.MakeFolder("Kirafu");
        WorkingTables& t = Tables();
        t.SurveyDate = "99/01/30";
        t.SurveyTime = "9:05:07";
        t.PeriodHeader = Sjis(kExampleHeader);
    }
    std::string LogBytes() const { return drive_.ReadAll("Kirafu/KF99013090507.log"); }

    TempDrive drive_{'C'};
};

TEST_F(WriteResultLogTest, WorkedExampleGivesTheFifteenLineFile) {
    BuildAfterSurvey(std::vector<std::string>(kExampleEntries.begin(), kExampleEntries.end()));
    // The closing line's slot still holds a line of an earlier, longer result.
    Tables().DisplayLines[12] = "*";
    WriteResultLog();
    EXPECT_EQ(LogBytes(), ExampleLogBytes());
}

TEST_F(WriteResultLogTest, NoChangeLogReplacesAnEarlierLogOfTheSameSecond) {
    BuildAfterSurvey(std::vector<std::string>(kExampleEntries.begin(), kExampleEntries.end()));
    WriteResultLog();
    BuildAfterSurvey({});
    // The Start command stores its message in slot 0 of an empty tree.
    Tables().DisplayLines[0] = Sjis("変更のあったファイルはありません。");
    WriteResultLog();
    EXPECT_EQ(LogBytes(),
              Sjis(std::string(kExampleHeader) + "\r\n 変更のあったファイルはありません。\r\n "));
}

TEST_F(WriteResultLogTest, MissingDataFolderThrowsAndWritesNothing) {
    std::filesystem::remove(drive_.Host("Kirafu"));
    BuildAfterSurvey({"C:\\a.txt . . . . . 1 KB 1999/01/30 9:15:02+"});
    EXPECT_THROW(WriteResultLog(), Failure);
    EXPECT_FALSE(std::filesystem::exists(drive_.Host("Kirafu")));
}

}  // namespace
}  // namespace kirafu::test
