// kirafu-cli: the window's commands without a window.
//
//   kirafu-cli drives            the drive table
//   kirafu-cli update [DRIVE]    Update on DRIVE (default: the current folder's drive)
//   kirafu-cli start [DRIVE]     Start on DRIVE; exit 0 without changes, 1 with changes
//   kirafu-cli show LOGFILE      show a past result log
// Exit 2 on any error or bad usage, with the message on standard error.
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "app/Commands.h"
#include "app/WorkingTables.h"
#include "cli/Options.h"
#include "cli/TerminalOutput.h"
#include "platform/DriveTable.h"
#include "platform/Error.h"
#include "platform/NameCodec.h"
#include "platform/TextFile.h"
#include "present/MarkColor.h"
#include "present/PastLog.h"

namespace kirafu::cli {
namespace {

constexpr int kExitNoChange = 0;
constexpr int kExitChanges = 1;
constexpr int kExitError = 2;

// Ends the command with a message (UTF-8 in the source) that may name what the user typed.
// The typed text goes through the name codec, so any bytes make a valid Shift-JIS message.
[[noreturn]] void Fail(std::string_view message, std::string_view typed = {}) {
    throw Failure(Sjis(message) + HostNameToText(typed));
}

// The drive letter of the command: as typed ("d", "D:", "d:\"), or the current folder's.
std::string DriveLetterOf(const Options& o) {
    if (o.argument) {
        const std::string& a = *o.argument;
        bool letter = !a.empty() && ((a[0] >= 'A' && a[0] <= 'Z') || (a[0] >= 'a' && a[0] <= 'z'));
        if (!letter ||
            !(a.size() == 1 || a.substr(1) == ":" || a.substr(1) == ":\\" || a.substr(1) == ":/"))
            Fail("ドライブは C や d: のように指定してください: ", a);
        return a.substr(0, 1);
    }
    std::string here = CurrentFolder();
    if (here.empty()) Fail("現在のフォルダーはドライブ表のどのドライブにもありません");
    return here.substr(0, 1);
}

bool UseColor(const Options& o) {
    if (o.color == ColorMode::kAlways) return true;
    if (o.color == ColorMode::kNever) return false;
    return isatty(STDOUT_FILENO) != 0;
}

void PrintDisplayLines(const Options& o, int first, bool color) {
    const WorkingTables& t = Tables();
    for (int i = first; i < t.ListCount; ++i) {
        const Text& line = t.DisplayLines[static_cast<size_t>(i)];
        if (IsHiddenLine(line, o.hideLost)) continue;
        PrintLine(stdout, line, color);
    }
}

class PrintingView final : public StartView {
  public:
    PrintingView(const Options& o) : options_(o), color_(UseColor(o)) {}
    void ShowResult(const StartReport& r) override {
        const WorkingTables& t = Tables();
        PrintLine(stdout, r.label7, false);
        PrintLine(stdout, r.label8, false);
        PrintLine(stdout, r.label9, false);
        if (t.ListCount == 0)
            PrintLine(stdout, t.DisplayLines[0], false);
        else
            PrintDisplayLines(options_, 0, color_);
        std::fflush(stdout);
    }

  private:
    const Options& options_;
    bool color_;
};

int RunDrives() {
    for (const Drive& d : Drives().drives()) std::printf("%c:\t%s\n", d.letter, d.root.c_str());
    return kExitNoChange;
}

int RunUpdateCommand(const Options& o) {
    Tables().DriveLetter = DriveLetterOf(o);
    SystemClock clock;
    RunUpdate(clock);
    const WorkingTables& t = Tables();
    std::string message = "基準ファイル " + TextToUtf8(t.DriveRoot) +
                          "\\Kirafu\\zenkaidt.txt を更新しました（" + std::to_string(t.ListCount) +
                          " ファイル）";
    std::printf("%s\n", message.c_str());
    return kExitNoChange;
}

int RunStartCommand(const Options& o) {
    Tables().DriveLetter = DriveLetterOf(o);
    SystemClock clock;
    PrintingView view(o);
    TerminalProgressBar terminalBar(stderr);
    NoProgressBar noBar;
    ProgressBar& bar = isatty(STDERR_FILENO) ? static_cast<ProgressBar&>(terminalBar) : noBar;
    RunStart(clock, bar, view);
    return Tables().ListCount == 0 ? kExitNoChange : kExitChanges;
}

int RunShowCommand(const Options& o) {
    namespace fs = std::filesystem;
    std::error_code ec;
    fs::path host = fs::absolute(*o.argument, ec).lexically_normal();
    auto drivePath = Drives().ToDrivePath(host.string());
    if (!drivePath) Fail("ドライブ表のどのドライブにもないファイルです: ", *o.argument);
    PastLogOutcome outcome = LoadPastLog(*drivePath);
    if (outcome.refused) throw Failure(RefusalMessage());
    PrintDisplayLines(o, 0, UseColor(o));
    if (outcome.truncated) {
        std::string note = std::to_string(Tables().ListCount) +
                           " 行より後は表示していません（表の大きさの限度）。";
        std::fprintf(stderr, "kirafu-cli: %s\n", note.c_str());
    }
    return kExitNoChange;
}

int Run(const std::vector<std::string>& args) {
    std::string error;
    auto options = ParseOptions(args, error);
    if (!options) {
        std::fprintf(stderr, "kirafu-cli: %s\n%s", error.c_str(), UsageText());
        return kExitError;
    }
    if (options->help) {
        std::fputs(UsageText(), stdout);
        return kExitNoChange;
    }
    if (options->version) {
        std::printf("kirafu-cli %s\n", KIRAFU_VERSION);
        return kExitNoChange;
    }
    CreateWorkingTables(options->large ? Capacities::Large() : Capacities::Standard());
    int code = kExitError;
    try {
        if (options->command == "drives") code = RunDrives();
        if (options->command == "update") code = RunUpdateCommand(*options);
        if (options->command == "start") code = RunStartCommand(*options);
        if (options->command == "show") code = RunShowCommand(*options);
    } catch (const Failure& f) {
        std::fflush(stdout);
        std::fprintf(stderr, "kirafu-cli: %s\n", TextToUtf8(f.message()).c_str());
        code = kExitError;
    }
    ReleaseWorkingTables();
    return code;
}

}  // namespace
}  // namespace kirafu::cli

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    return kirafu::cli::Run(args);
}
