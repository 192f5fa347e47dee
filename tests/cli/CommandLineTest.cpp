// kirafu-cli run as a user runs it, on drives in temporary folders.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <regex>

#include "mock/TempDrive.h"
#include "platform/NameCodec.h"

namespace kirafu {
namespace {

namespace fs = std::filesystem;
using test::TempDrive;

struct Outcome {
    int code;
    std::string out, err;
};

class CommandLine : public testing::Test {
  protected:
    // Runs kirafu-cli with the drive table "T=<drive root>" from folder `cwd` (default: root).
    Outcome Run(const std::string& args, const std::string& cwd = "") {
        std::string outFile = scratch + "/out", errFile = scratch + "/err";
        std::string command = "cd '" + (cwd.empty() ? drive.root() : cwd) +
                              "' && KIRAFU_DRIVES='T=" + drive.root() + "' '" KIRAFU_CLI "' " +
                              args + " >'" + outFile + "' 2>'" + errFile + "'";
        int status = std::system(command.c_str());
        Outcome o{WIFEXITED(status) ? WEXITSTATUS(status) : -1, Slurp(outFile), Slurp(errFile)};
        return o;
    }
    static std::string Slurp(const std::string& path) {
        std::ifstream f(path, std::ios::binary);
        return {std::istreambuf_iterator<char>(f), {}};
    }
    std::string LogBytes() {
        std::string found;
        for (const auto& e : fs::directory_iterator(drive.Host("Kirafu")))
            if (e.path().filename().string().rfind("KF", 0) == 0) found = e.path().string();
        EXPECT_FALSE(found.empty()) << "no result log";
        return Slurp(found);
    }

    TempDrive drive;
    std::string scratch = [] {
        std::string p = (fs::temp_directory_path() / "kirafu-cli-XXXXXX").string();
        return std::string(mkdtemp(p.data()));
    }();
    ~CommandLine() override { fs::remove_all(scratch); }
};

TEST_F(CommandLine, UpdateWritesTheBaselineOfTheCurrentFoldersDrive) {
    drive.MakeFile("sub/a.txt");
    Outcome o = Run("update", drive.Host("sub"));
    EXPECT_EQ(o.code, 0) << o.err;
    std::string baseline = drive.ReadAll("Kirafu/zenkaidt.txt");
    EXPECT_NE(baseline.find("\r\nT:\\sub\\a.txt . . . . . 1 KB 2003/01/05 9:05:08\r\n*\r\n"),
              std::string::npos);
    o = Run("--large update t:");
    EXPECT_EQ(o.code, 0) << o.err;
    EXPECT_NE(drive.ReadAll("Kirafu/zenkaidt.txt").find("\r\nt:\\sub\\a.txt"), std::string::npos);
}

TEST_F(CommandLine, ErrorsExitTwoWithTheMessage) {
    struct Row {
        const char* label;
        std::function<void(const TempDrive&)> arrange;
        std::string args;
        std::string message;  // part of standard error
    };
    const Row rows[] = {
        {"DataFolderIsAFile", [](const TempDrive& d) { d.MakeFile("Kirafu", "x"); }, "update T",
         "T:\\Kirafu\\zenkaidt.txt を作成できません"},
        {"TooManyFolders",
         [](const TempDrive& d) {
             for (int i = 0; i < 51; ++i) d.MakeFolder("A/" + std::to_string(i));
         },
         "update T", "フォルダー T:\\A のサブフォルダーが多すぎます"},
        {"BadDrive", [](const TempDrive&) {}, "update 12", "ドライブは"},
        // Typed text that Shift-JIS cannot hold is named in escapes, not a crash.
        {"BadDriveOutsideShiftJis", [](const TempDrive&) {}, "update \xC3\xA9",
         "指定してください: %C3%A9"},
        {"LogOutsideTheDrives", [](const TempDrive&) {}, "show '/nowhere/\xF0\x9F\x98\x80KF.log'",
         "どのドライブにもないファイルです: /nowhere/%F0%9F%98%80KF.log"},
        {"BadUsage", [](const TempDrive&) {}, "frobnicate", "不明なコマンドです"},
        {"RefusedLog", [](const TempDrive& d) { d.MakeFile("Kirafu/zenkaidt.txt"); },
         "show Kirafu/zenkaidt.txt", "このファイルは開けません。"},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.label);
        fs::remove_all(drive.Host("Kirafu"));
        fs::remove_all(drive.Host("A"));
        r.arrange(drive);
        Outcome o = Run(r.args);
        EXPECT_EQ(o.code, 2);
        EXPECT_NE(o.err.find(r.message), std::string::npos) << o.err;
    }
    EXPECT_FALSE(fs::exists(drive.Host("Kirafu/zenkaidt.txt")) &&
                 fs::file_size(drive.Host("Kirafu/zenkaidt.txt")) > 0);
}

TEST_F(CommandLine, DrivesListsTheTable) {
    Outcome o = Run("drives");
    EXPECT_EQ(o.code, 0);
    EXPECT_EQ(o.out, "T:\t" + drive.root() + "\n");
}

TEST_F(CommandLine, FirstStartFindsNoChange) {
    drive.MakeFile("a.txt");
    Outcome o = Run("start T --color=never");
    EXPECT_EQ(o.code, 0) << o.err;
    EXPECT_NE(o.out.find("総ファイル数＝0\n変更のあったファイルはありません。\n"),
              std::string::npos)
        << o.out;
    std::string log = LogBytes();
    std::string tail = "\r\n " + Sjis("変更のあったファイルはありません。") + "\r\n ";
    ASSERT_GE(log.size(), tail.size());
    EXPECT_EQ(log.substr(log.size() - tail.size()), tail);
    EXPECT_EQ(std::count(log.begin(), log.end(), '\n'), 2);
}

TEST_F(CommandLine, StartReportsAddedDeletedAndOverwrittenFiles) {
    drive.MakeFile("keep.txt");
    drive.MakeFile("old.txt");
    drive.MakeFile("data/over.txt");
    ASSERT_EQ(Run("update T").code, 0);
    fs::remove(drive.Host("old.txt"));
    drive.MakeFile("data/over.txt", std::string(5000, 'o'), 1041761108);  // 10:05:08
    drive.MakeFile("\xE5\x86\x99\xE7\x9C\x9F/new.jpg");                   // 写真/new.jpg

    Outcome o = Run("start T");
    EXPECT_EQ(o.code, 1) << o.err;
    std::string log = LogBytes();
    // The baseline itself was written after its survey, so it shows as a new file; blank its time.
    log = std::regex_replace(log, std::regex("(zenkaidt.txt . . . . . 1 KB )[0-9/: ]+\\+"),
                             "$1<time>+");
    size_t headerEnd = log.find("\r\n");
    ASSERT_NE(headerEnd, std::string::npos);
    EXPECT_EQ(log.substr(headerEnd + 2),
              Sjis(" T:<Drive>\r\n"
                   " ├─Kirafu<Folder>\r\n"
                   " │　　└─zenkaidt.txt . . . . . 1 KB <time>+\r\n"
                   " ├─data<Folder>\r\n"
                   " │　　├─over.txt . . . . . 1 KB 2003/01/05 9:05:08!\r\n"
                   " │　　└─over.txt . . . . . 5 KB 2003/01/05 10:05:08*\r\n"
                   " ├─old.txt . . . . . 1 KB 2003/01/05 9:05:08-\r\n"
                   " └─写真<Folder>\r\n"
                   " 　　　└─new.jpg . . . . . 1 KB 2003/01/05 9:05:08+\r\n"
                   " \r\n"
                   " "));
    EXPECT_NE(o.out.find("総ファイル数＝9\n"), std::string::npos) << o.out;
    EXPECT_EQ(o.out.find("\x1b["), std::string::npos) << "no colour when stdout is not a terminal";

    std::string logName;
    for (const auto& e : fs::directory_iterator(drive.Host("Kirafu")))
        if (e.path().extension() == ".log") logName = e.path().filename().string();
    // A relative path with ".." in it is taken as the path it names.
    Outcome shown = Run("show Kirafu/x/../" + logName + " --hide-lost --color=always");
    EXPECT_EQ(shown.code, 0) << shown.err;
    EXPECT_NE(shown.out.find("\x1b[34m│　　└─over.txt"), std::string::npos) << shown.out;
    EXPECT_EQ(shown.out.find("9:05:08!"), std::string::npos)
        << "--hide-lost leaves out the lost version";
}

}  // namespace
}  // namespace kirafu
