#include <fcntl.h>
#include <gtest/gtest.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include "mock/FailingFileIo.h"
#include "mock/RowName.h"
#include "platform/Error.h"
#include "platform/NameCodec.h"
#include "survey/BaselineFile.h"
#include "survey/SurveyFixture.h"

namespace kirafu {
namespace {

using test::PrintTo;  // rows show by label

using test::SurveyTest;
using Lines = std::vector<std::string>;

class BaselineTest : public SurveyTest {
  protected:
    Lines Previous() const {
        const WorkingTables& t = Tables();
        Lines out;
        for (size_t i = 0; i < t.PreviousList.size(); ++i) {
            out.push_back(t.PreviousList[i]);
            if (t.PreviousList[i] == "*") break;
        }
        return out;
    }
    // Reads a baseline file with the given bytes.
    void ReadFrom(const std::string& bytes) {
        drive.MakeFile("Kirafu/zenkaidt.txt", bytes);
        Tables().DriveRoot = "T:";
        ReadBaseline();
    }
};

TEST_F(BaselineTest, FirstSurveyIsStoredByteForByteAndReadBack) {
    drive.MakeFile("AUTOEXEC.BAT", "", 1040754600);                        // 2002/12/24 18:30:00
    drive.MakeFile("Windows/win.ini", std::string(3587, 'w'), 901029908);  // 1998/07/21 14:05:08
    Survey();
    EnsureAndReadBaseline();
    EXPECT_EQ(drive.ReadAll("Kirafu/zenkaidt.txt"),
              "03/01/05\r\n"
              " 9:05:08\r\n"
              "T:\\AUTOEXEC.BAT . . . . . 1 KB 2002/12/24 18:30:00\r\n"
              "T:\\Windows\\win.ini . . . . . 4 KB 1998/07/21 14:05:08\r\n"
              "*\r\n");
    const WorkingTables& t = Tables();
    EXPECT_EQ(t.BaselineDate, "03/01/05");
    EXPECT_EQ(t.BaselineTime, "9:05:08");
    EXPECT_EQ(Previous(), (Lines{t.CurrentList[0], t.CurrentList[1], "*"}));
}

TEST_F(BaselineTest, AnExistingBaselineIsNotRewrittenByEnsure) {
    drive.MakeFile("a.txt");
    drive.MakeFile("Kirafu/zenkaidt.txt", "99/01/30\r\n 12:00:00\r\n*\r\n");
    Survey();
    EnsureAndReadBaseline();
    EXPECT_EQ(drive.ReadAll("Kirafu/zenkaidt.txt"), "99/01/30\r\n 12:00:00\r\n*\r\n");
    EXPECT_EQ(Tables().BaselineTime, "12:00:00");
    EXPECT_EQ(Previous(), Lines{"*"});
}

TEST_F(BaselineTest, LongEntryLinesComeBackWhole) {
    // Entry lines of 196 to 201 bytes, and one of about 1200.
    const std::string folder = "long/" + std::string(150, 'f');
    for (size_t length = 3; length <= 8; ++length)
        drive.MakeFile(folder + "/" + std::string(length, 'n'));
    std::string deep = "deep";
    for (int i = 0; i < 5; ++i) deep += "/" + std::string(230, 'd');
    drive.MakeFile(deep + "/file");
    Survey();
    EnsureAndReadBaseline();
    const WorkingTables& t = Tables();
    Lines current(t.CurrentList.begin(), t.CurrentList.begin() + t.ListCount + 1);
    EXPECT_EQ(Previous(), current);
    EXPECT_EQ(current.size(), 8u);
}

struct ReadCase {
    const char* label;
    std::string bytes;
    std::string date, time;
    Lines previous;
};

class BaselineRead : public BaselineTest, public testing::WithParamInterface<ReadCase> {};

TEST_P(BaselineRead, ReadsAsFarAsTheFileGoes) {
    const ReadCase& c = GetParam();
    ReadFrom(c.bytes);
    EXPECT_EQ(Tables().BaselineDate, c.date);
    EXPECT_EQ(Tables().BaselineTime, c.time);
    EXPECT_EQ(Previous(), c.previous);
}

INSTANTIATE_TEST_SUITE_P(
    Files, BaselineRead,
    testing::Values(
        ReadCase{"Empty", "", "", "", {"*"}},
        ReadCase{"DateOnly", "03/01/05\r\n", "03/01/05", "", {"*"}},
        ReadCase{"NoEndMarker",
                 "03/01/05\r\n 9:05:08\r\nC:\\a\r\nC:\\b",
                 "03/01/05",
                 "9:05:08",
                 {"C:\\a", "C:\\b", "*"}},
        ReadCase{"LinesAfterTheEndMarkerIgnored",
                 "d\r\n t\r\nC:\\a\r\n*\r\nC:\\b\r\n",
                 "d",
                 "t",
                 {"C:\\a", "*"}},
        ReadCase{"BlankLineKept",
                 "d\r\n t\r\nC:\\a\r\n   \r\nC:\\b\r\n*\r\n",
                 "d",
                 "t",
                 {"C:\\a", "", "C:\\b", "*"}},
        ReadCase{"Trimmed",
                 "\t d \r\n t\r\n  C:\\a . . 1 KB  \r\n*  \r\n",
                 "d",
                 "t",
                 {"C:\\a . . 1 KB", "*"}},
        ReadCase{
            "LineEndingInStarIsNoMarker", "d\r\n t\r\nC:\\a*\r\n*\r\n", "d", "t", {"C:\\a*", "*"}},
        ReadCase{"LfOnly", "d\n t\nC:\\a\n*\n", "d", "t", {"C:\\a", "*"}}),
    test::RowName());

TEST_F(BaselineTest, MoreLinesThanTheListHoldsStopTheCommand) {
    std::string bytes = "d\r\n t\r\n";
    for (int i = 0; i < 29999; ++i) bytes += "C:\\f" + std::to_string(i) + "\r\n";
    ReadFrom(bytes + "*\r\n");
    EXPECT_EQ(Tables().PreviousList[29999], "*");
    ReadFrom(bytes);  // no end marker: it goes into the last slot
    EXPECT_EQ(Tables().PreviousList[29999], "*");
    try {
        ReadFrom(bytes + "C:\\one-more\r\n*\r\n");
        FAIL() << "no failure";
    } catch (const Failure& f) {
        EXPECT_EQ(
            f.message(),
            Sjis("基準ファイル T:\\Kirafu\\zenkaidt.txt の行数が多すぎます（29999 行まで）。"));
    }
}

TEST_F(BaselineTest, FailedWriteLeavesTheOldBaseline) {
    for (int i = 0; i < 3000; ++i) drive.MakeFile("d/" + std::to_string(i));
    drive.MakeFile("Kirafu/zenkaidt.txt", "99/01/30\r\n 12:00:00\r\n*\r\n");
    Survey();
    test::FailingFileIo io(100000);  // the disk fills up in the middle of the file
    test::ScopedFileIo scoped(io);
    EXPECT_THROW(WriteBaseline(), Failure);
    EXPECT_EQ(drive.ReadAll("Kirafu/zenkaidt.txt"), "99/01/30\r\n 12:00:00\r\n*\r\n");
}

TEST_F(BaselineTest, LinkedDataFilesAreRefused) {
    drive.MakeFile("a.txt");
    drive.MakeFile("elsewhere/zenkaidt.txt", "keep");
    ASSERT_EQ(symlink("elsewhere", drive.Host("Kirafu").c_str()), 0);
    Survey();
    EXPECT_THROW(WriteBaseline(), Failure);
    EXPECT_THROW(EnsureAndReadBaseline(), Failure);
    unlink(drive.Host("Kirafu").c_str());
    drive.MakeFolder("Kirafu");
    ASSERT_EQ(symlink("../elsewhere/zenkaidt.txt", drive.Host("Kirafu/zenkaidt.txt").c_str()), 0);
    EXPECT_THROW(WriteBaseline(), Failure);
    EXPECT_THROW(EnsureAndReadBaseline(), Failure);
    EXPECT_EQ(drive.ReadAll("elsewhere/zenkaidt.txt"), "keep");
}

TEST_F(BaselineTest, AFolderNamedLikeTheBaselineCountsAsOne) {
    drive.MakeFolder("Kirafu/zenkaidt.txt");
    Survey();
    EXPECT_THROW(EnsureAndReadBaseline(), Failure);
}

TEST_F(BaselineTest, KirafuFolderWithoutBaselineGetsOne) {
    drive.MakeFolder("Kirafu");
    Survey();
    EnsureAndReadBaseline();
    EXPECT_EQ(drive.ReadAll("Kirafu/zenkaidt.txt"), "03/01/05\r\n 9:05:08\r\n*\r\n");
}

// An immutable file cannot be opened for writing, not even by root: a baseline that cannot
// be written must still be readable.
TEST_F(BaselineTest, ReadOnlyBaselineCanStillBeRead) {
    drive.MakeFile("Kirafu/zenkaidt.txt", "d\r\n t\r\nC:\\a\r\n*\r\n");
    int fd = open(drive.Host("Kirafu/zenkaidt.txt").c_str(), O_RDONLY);
    int flags = 0;
    bool immutable = ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0 &&
                     (flags |= FS_IMMUTABLE_FL, ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0);
    close(fd);
    if (!immutable) GTEST_SKIP() << "this filesystem or user cannot make a file immutable";
    Tables().DriveRoot = "T:";
    EXPECT_NO_THROW(ReadBaseline());
    EXPECT_EQ(Previous(), (Lines{"C:\\a", "*"}));
    fd = open(drive.Host("Kirafu/zenkaidt.txt").c_str(), O_RDONLY);
    flags &= ~FS_IMMUTABLE_FL;
    ioctl(fd, FS_IOC_SETFLAGS, &flags);
    close(fd);
}

}  // namespace
}  // namespace kirafu
