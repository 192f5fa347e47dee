#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <map>

#include "mock/TempDrive.h"
#include "platform/FolderListing.h"

namespace kirafu {
namespace {

using test::TempDrive;

std::map<std::string, ListingEntry> ListAll(std::string_view drivePath) {
    std::map<std::string, ListingEntry> all;
    FolderListing& l = TheListing();
    if (l.FindFirst(drivePath)) {
        do all[l.entry().name] = l.entry();
        while (l.FindNext());
    }
    l.FindClose();
    return all;
}

TEST(FolderListing, AttributeValues) {
    TempDrive drive;
    drive.MakeFolder("plain");
    drive.MakeFolder(".hiddenfolder");
    drive.MakeFile("file.txt", "12345");
    drive.MakeFile(".hiddenfile", "");
    drive.MakeFile("readonly.txt", "");
    chmod(drive.Host("readonly.txt").c_str(), 0444);
    ASSERT_EQ(symlink("plain", drive.Host("tofolder").c_str()), 0);
    ASSERT_EQ(symlink("file.txt", drive.Host("tofile").c_str()), 0);
    ASSERT_EQ(symlink("nowhere", drive.Host("dangling").c_str()), 0);
    ASSERT_EQ(mkfifo(drive.Host("fifo").c_str(), 0644), 0);

    struct Row {
        const char* name;
        uint32_t attr;
        int64_t size;
    };
    const Row rows[] = {
        {"plain", 16, 0},       {".hiddenfolder", 18, 0}, {"file.txt", 32, 5},
        {".hiddenfile", 34, 0}, {"readonly.txt", 33, 0},  {"tofolder", 1040, 0},
        {"tofile", 1056, 0},    {"dangling", 1056, 0},    {"fifo", 4, 0},
    };
    auto all = ListAll("T:");
    EXPECT_EQ(all.size(), std::size(rows)) << "\".\" and \"..\" are left out";
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        ASSERT_TRUE(all.count(r.name));
        EXPECT_EQ(all[r.name].attr, r.attr);
        EXPECT_EQ(all[r.name].size, r.size);
    }
}

TEST(FolderListing, TrueSizeOfLargeSparseFiles) {
    TempDrive drive;
    drive.MakeSparseFile("big", (4LL << 30) + 5000);
    EXPECT_EQ(ListAll("T:")["big"].size, (4LL << 30) + 5000);
}

TEST(FolderListing, TimesAreEvenSecondsWithinTheDosRange) {
    struct Row {
        const char* label;
        long long mtime;
        LocalMoment expected;
    };
    const Row rows[] = {
        {"odd second rounds down", 1041757509, {2003, 1, 5, 9, 5, 8}},
        {"before 1980 shows 1980", 86400, {1980, 1, 1, 0, 0, 0}},
        {"after 2107 shows its last moment", 7258118400, {2107, 12, 31, 23, 59, 58}},
        {"2100 is kept", 4107546124, {2100, 3, 1, 1, 2, 4}},
    };
    TempDrive drive;
    for (const Row& r : rows) {
        SCOPED_TRACE(r.label);
        drive.MakeFile("f", "", r.mtime);
        LocalMoment m = ListAll("T:")["f"].time;
        EXPECT_EQ(std::tie(m.year, m.month, m.day, m.hour, m.minute, m.second),
                  std::tie(r.expected.year, r.expected.month, r.expected.day, r.expected.hour,
                           r.expected.minute, r.expected.second));
    }
}

TEST(FolderListing, FailsWithoutAReadableFolder) {
    TempDrive drive;
    drive.MakeFolder("real");
    drive.MakeFile("real/x", "");
    ASSERT_EQ(symlink("real", drive.Host("link").c_str()), 0);
    FolderListing& l = TheListing();
    EXPECT_FALSE(l.FindFirst("T:\\missing"));
    EXPECT_FALSE(l.FindFirst("Q:"));  // a letter not in the drive table
    EXPECT_FALSE(l.FindFirst("T:\\link")) << "a listing never goes through a link";
    drive.MakeFolder("empty");
    EXPECT_FALSE(l.FindFirst("T:\\empty"));
    EXPECT_TRUE(l.FindFirst("T:\\real"));
    l.FindClose();
}

TEST(FolderListing, NamesNeedingEscapesCanBeListedAgain) {
    TempDrive drive;
    drive.MakeFile("caf\xC3\xA9\\x/inner.txt", "");
    auto outer = ListAll("T:");
    ASSERT_TRUE(outer.count("caf%C3%A9%5Cx"));
    EXPECT_EQ(outer["caf%C3%A9%5Cx"].attr, 16u);
    EXPECT_TRUE(ListAll("T:\\caf%C3%A9%5Cx").count("inner.txt"));
}

}  // namespace
}  // namespace kirafu
