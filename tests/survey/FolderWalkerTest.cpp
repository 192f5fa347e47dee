#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>

#include "mock/RowName.h"
#include "platform/Error.h"
#include "platform/NameCodec.h"
#include "survey/FolderWalker.h"
#include "survey/SurveyFixture.h"

namespace kirafu {
namespace {

using test::PrintTo;  // rows show by label

using test::SurveyTest;
using Lines = std::vector<std::string>;

const std::string kTail = " . . . . . 1 KB 2003/01/05 9:05:08";

Lines Sorted(Lines v) {
    std::sort(v.begin(), v.end());
    return v;
}

TEST_F(SurveyTest, EmptyDriveGivesOnlyTheEndMarker) {
    Tables().HeadedParts[0] = "old";
    EXPECT_TRUE(Survey().empty());
    const WorkingTables& t = Tables();
    EXPECT_EQ(t.ListCount, 0);
    EXPECT_EQ(t.CurrentList[0], "*");
    EXPECT_EQ(t.DriveRoot, "T:");
    EXPECT_EQ(t.SurveyDate, "03/01/05");
    EXPECT_EQ(t.SurveyTime, "9:05:08");
    EXPECT_EQ(t.HeadedParts[0], "");
}

TEST_F(SurveyTest, WalksDepthFirstWithEachFoldersFilesFirst) {
    drive.MakeFile("r.txt");
    drive.MakeFile("A/a.txt");
    drive.MakeFile("A/B/b.txt");
    drive.MakeFile("A/B/C/c.txt");
    EXPECT_EQ(Survey(), (Lines{"T:\\r.txt" + kTail, "T:\\A\\a.txt" + kTail,
                               "T:\\A\\B\\b.txt" + kTail, "T:\\A\\B\\C\\c.txt" + kTail}));
}

TEST_F(SurveyTest, LaterSurveysOverwriteFromSlotZero) {
    drive.MakeFile("a.txt");
    drive.MakeFile("b.txt");
    Survey();
    unlink(drive.Host("b.txt").c_str());
    EXPECT_EQ(Survey(), Lines{"T:\\a.txt" + kTail});
    EXPECT_EQ(Tables().CurrentList[1], "*");
    EXPECT_FALSE(Tables().CurrentList[2].empty()) << "slots behind the end marker keep older lines";
}

TEST_F(SurveyTest, ProgramFilesIsSurveyedOnce) {
    drive.MakeFile("Program Files/app.exe");
    drive.MakeFile("Other/x.txt");
    EXPECT_EQ(Sorted(Survey()),
              (Lines{"T:\\Other\\x.txt" + kTail, "T:\\Program Files\\app.exe" + kTail}));
}

TEST_F(SurveyTest, ProgramFilesAsALinkIsNotFollowed) {
    drive.MakeFile("elsewhere/secret.txt");
    ASSERT_EQ(symlink("elsewhere", drive.Host("Program Files").c_str()), 0);
    Lines lines = Survey();
    EXPECT_EQ(std::count(lines.begin(), lines.end(), "T:\\elsewhere\\secret.txt" + kTail), 1);
    EXPECT_EQ(lines.size(), 2u) << "the link's own line and the file once";
}

TEST_F(SurveyTest, NineFolderLevelsAreSurveyedAndNoMore) {
    std::string nine = "1/2/3/4/5/6/7/8/9";
    drive.MakeFile(nine + "/deep.txt");
    drive.MakeFile(nine + "/10/deeper.txt");
    EXPECT_EQ(Survey(), Lines{"T:\\1\\2\\3\\4\\5\\6\\7\\8\\9\\deep.txt" + kTail});
}

TEST_F(SurveyTest, LinksHiddenFoldersAndOddNamesAreRecordedNotDescended) {
    drive.MakeFile(".git/config");
    drive.MakeFile("real/inside.txt");
    ASSERT_EQ(symlink("real", drive.Host("linked").c_str()), 0);
    ASSERT_EQ(symlink("linked", drive.Host("loop").c_str()), 0);
    drive.SetTime(".git", 1041757508);
    drive.SetTime("linked", 1041757508);
    drive.SetTime("loop", 1041757508);
    EXPECT_EQ(Sorted(Survey()), Sorted({"T:\\.git" + kTail, "T:\\linked" + kTail,
                                        "T:\\loop" + kTail, "T:\\real\\inside.txt" + kTail}));
}

TEST_F(SurveyTest, FoldersWhoseNamesNeedEscapesAreWalked) {
    drive.MakeFile("caf\xC3\xA9/\xE3\x82\xBD/a\nb.txt");  // café/ソ/a<newline>b.txt
    EXPECT_EQ(Survey(), Lines{"T:\\caf%C3%A9\\\x83\x5C\\a%0Ab.txt" + kTail});
}

TEST_F(SurveyTest, LowerCaseDriveLetterStaysLowerCase) {
    drive.MakeFile("a.txt");
    Tables().DriveLetter = "t";
    EXPECT_EQ(Survey(), Lines{"t:\\a.txt" + kTail});
}

TEST_F(SurveyTest, DriveWithoutMediumGivesNothing) {
    Tables().DriveLetter = "Q";
    EXPECT_TRUE(Survey().empty());
}

struct FolderLimitCase {
    const char* label;
    std::string parent;  // "" for the root
    int folders;
    bool fits;
};

class FolderLimit : public SurveyTest, public testing::WithParamInterface<FolderLimitCase> {};

TEST_P(FolderLimit, StopsCleanlyPastFiftyFolders) {
    const FolderLimitCase& c = GetParam();
    for (int i = 0; i < c.folders; ++i)
        drive.MakeFile((c.parent.empty() ? "" : c.parent + "/") + "f" + std::to_string(i) + "/x");
    if (c.fits) {
        EXPECT_EQ(Survey().size(), static_cast<size_t>(c.folders));
        return;
    }
    try {
        StartSurvey(clock);
        FAIL() << "no failure";
    } catch (const Failure& f) {
        std::string folder = c.parent.empty() ? "T:\\" : "T:\\" + c.parent;
        EXPECT_EQ(f.message(), Sjis("フォルダー ") + folder +
                                   Sjis(" のサブフォルダーが多すぎます（一つのフォルダーにつき 50 "
                                        "個まで）。調査を中止しました。"));
    }
}

INSTANTIATE_TEST_SUITE_P(Limits, FolderLimit,
                         testing::Values(FolderLimitCase{"Fifty", "A", 50, true},
                                         FolderLimitCase{"FiftyOne", "A", 51, false},
                                         FolderLimitCase{"RootFortyNine", "", 49, true},
                                         FolderLimitCase{"RootFiftyWithoutProgramFiles", "", 50,
                                                         false}),
                         test::RowName());

TEST_F(SurveyTest, RootWithFiftyFoldersOneOfThemProgramFiles) {
    for (int i = 0; i < 49; ++i) drive.MakeFile("f" + std::to_string(i) + "/x");
    drive.MakeFile("Program Files/x");
    EXPECT_EQ(Survey().size(), 50u);
}

TEST_F(SurveyTest, StopsCleanlyPastTheFileLimit) {
    for (int i = 0; i < 29999; ++i) drive.MakeFile("many/" + std::to_string(i));
    EXPECT_EQ(Survey().size(), 29999u);
    drive.MakeFile("one-more");
    try {
        StartSurvey(clock);
        FAIL() << "no failure";
    } catch (const Failure& f) {
        EXPECT_EQ(f.message(),
                  Sjis("ドライブ T: のファイルが多すぎます（29999 個まで）。調査を中止しました。"));
    }
}

}  // namespace
}  // namespace kirafu
