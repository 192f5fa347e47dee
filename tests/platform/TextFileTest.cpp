#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>

#include "mock/FailingFileIo.h"
#include "mock/RowName.h"
#include "mock/TempDrive.h"
#include "platform/Error.h"
#include "platform/NameCodec.h"
#include "platform/TextFile.h"

namespace kirafu {
namespace {

using test::PrintTo;  // rows show by label

using test::TempDrive;

std::vector<std::string> ReadLines(std::string_view drivePath) {
    TextReader r(drivePath);
    std::vector<std::string> lines;
    std::string line;
    while (r.ReadLine(line)) lines.push_back(line);
    return lines;
}

TEST(TextWriter, WritesLineEndsAsCrLf) {
    TempDrive drive;
    {
        TextWriter w("T:\\a.txt");
        w.Write("one\n two\n");
        w.Write("three");
        w.Commit();
    }
    EXPECT_EQ(drive.ReadAll("a.txt"), "one\r\n two\r\nthree");
}

TEST(TextWriter, ReplacesTheOldFile) {
    TempDrive drive;
    drive.MakeFile("a.txt", "old old old");
    TextWriter w("T:\\a.txt");
    w.Write("new");
    w.Commit();
    EXPECT_EQ(drive.ReadAll("a.txt"), "new");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(drive.root()), {}), 1);
}

struct FaultCase {
    const char* label;
    long long budget;
    bool failSync;
    bool failRename;
};

class TextWriterFault : public testing::TestWithParam<FaultCase> {};

TEST_P(TextWriterFault, LeavesTheOldFileAsItWas) {
    TempDrive drive;
    drive.MakeFile("a.txt", "the old content\r\n");
    test::FailingFileIo io(GetParam().budget);
    io.failSync = GetParam().failSync;
    io.failRename = GetParam().failRename;
    test::ScopedFileIo scoped(io);
    try {
        TextWriter w("T:\\a.txt");
        for (int i = 0; i < 20000; ++i)
            w.Write("C:\\some\\file.txt . . . . . 1 KB 2003/01/05 9:05:08\n");
        w.Commit();
        FAIL() << "no failure reported";
    } catch (const Failure& f) {
        EXPECT_NE(f.message().find("T:\\a.txt"), std::string::npos);
    }
    EXPECT_EQ(drive.ReadAll("a.txt"), "the old content\r\n");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(drive.root()), {}), 1)
        << "the temporary file stays behind";
    // The one file slot is free again.
    TextWriter w("T:\\b.txt");
}

INSTANTIATE_TEST_SUITE_P(Faults, TextWriterFault,
                         testing::Values(FaultCase{"NothingWritten", 0, false, false},
                                         FaultCase{"DiskFullHalfway", 500000, false, false},
                                         FaultCase{"SyncFails", 1LL << 40, true, false},
                                         FaultCase{"RenameFails", 1LL << 40, false, true}),
                         test::RowName());

TEST(TextWriter, RefusesSymbolicLinks) {
    TempDrive drive;
    drive.MakeFolder("real");
    drive.MakeFile("real/target.txt", "keep");
    ASSERT_EQ(symlink("real", drive.Host("linked").c_str()), 0);
    ASSERT_EQ(symlink("real/target.txt", drive.Host("file.txt").c_str()), 0);
    EXPECT_THROW(TextWriter("T:\\linked\\new.txt"), Failure);
    EXPECT_THROW(TextWriter("T:\\file.txt"), Failure);
    EXPECT_THROW(TextReader("T:\\linked\\target.txt"), Failure);
    EXPECT_THROW(TextReader("T:\\file.txt"), Failure);
    EXPECT_EQ(drive.ReadAll("real/target.txt"), "keep");
}

TEST(TextWriter, NamesTheFileWhenItCannotBeCreated) {
    TempDrive drive;
    try {
        TextWriter w("T:\\missing\\a.txt");
        FAIL();
    } catch (const Failure& f) {
        EXPECT_EQ(
            f.message(),
            Sjis("T:\\missing\\a.txt を作成できません（ファイルまたはフォルダーがありません）。"));
    }
}

TEST(TextReader, ReadsWholeLinesOfAnyLength) {
    TempDrive drive;
    std::string longLine(300000, 'x');
    drive.MakeFile("a.txt", "a\r\n\r\n" + longLine + "\r\nlf only\nlone\rcr\r\nlast");
    EXPECT_EQ(ReadLines("T:\\a.txt"),
              (std::vector<std::string>{"a", "", longLine, "lf only", "lone\rcr", "last"}));
}

TEST(TextReader, EmptyFileHasNoLine) {
    TempDrive drive;
    drive.MakeFile("a.txt", "");
    EXPECT_TRUE(ReadLines("T:\\a.txt").empty());
    drive.MakeFile("b.txt", "x\r\n");
    EXPECT_EQ(ReadLines("T:\\b.txt"), std::vector<std::string>{"x"});
}

TEST(TextReader, MissingFileAndFolderFail) {
    TempDrive drive;
    drive.MakeFolder("dir");
    EXPECT_THROW(TextReader("T:\\none.txt"), Failure);
    EXPECT_THROW(TextReader("T:\\dir"), Failure);
}

TEST(Trim, RemovesBytesUpToBlankAtBothEnds) {
    EXPECT_EQ(Trim(" \t a b \r\n"), "a b");
    EXPECT_EQ(Trim("\x01\x20"), "");
    EXPECT_EQ(Trim("\x81\x40x\x81\x40"), "\x81\x40x\x81\x40");  // Shift-JIS bytes are kept
}

}  // namespace
}  // namespace kirafu
