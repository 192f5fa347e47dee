// Benchmarks of the survey and of the whole Start command against a reference walk of the
// same tree (`find ROOT -printf '%p %s %T@\n'`), measured in the same run as ratios, so that a
// noisy machine moves both sides alike.
//
//   kirafu-bench survey [--files N] [--large] [--runs R]
//       update (survey + baseline write + read) vs the find walk
//   kirafu-bench start [--files N] [--large] [--runs R] [--percent P] [--root-added N]
//                      [--overwritten N]
//       start vs the find walk after the changes, and the time of each comparison phase
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "FixtureTree.h"
#include "app/Commands.h"
#include "app/WorkingTables.h"
#include "compare/ClassifyChanges.h"
#include "compare/OrderAndPairChanges.h"
#include "platform/DriveTable.h"
#include "present/ResultTree.h"
#include "survey/BaselineFile.h"
#include "survey/FolderWalker.h"

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

namespace {

struct Run {
    double seconds;
    long maxRssKb;
    int status;
};

// Runs argv with stdout and stderr to /dev/null; its wall time and peak memory.
Run Spawn(const std::vector<std::string>& argv) {
    auto start = Clock::now();
    pid_t pid = fork();
    if (pid == 0) {
        FILE* null = std::fopen("/dev/null", "w");
        dup2(fileno(null), 1);
        dup2(fileno(null), 2);
        std::vector<char*> args;
        for (const auto& a : argv) args.push_back(const_cast<char*>(a.c_str()));
        args.push_back(nullptr);
        execvp(args[0], args.data());
        _exit(127);
    }
    int status = 0;
    struct rusage usage {};
    wait4(pid, &status, 0, &usage);
    double s = std::chrono::duration<double>(Clock::now() - start).count();
    return {s, usage.ru_maxrss, WIFEXITED(status) ? WEXITSTATUS(status) : -1};
}

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}

struct Args {
    std::string mode;
    int files = 29999;
    bool large = false;
    int runs = 7;
    double percent = 1;
    int rootAdded = -1;
    int overwritten = -1;
};

Args Parse(int argc, char** argv) {
    Args a;
    if (argc > 1) a.mode = argv[1];
    for (int i = 2; i < argc; ++i) {
        std::string s = argv[i];
        auto next = [&] { return i + 1 < argc ? std::string(argv[++i]) : std::string("0"); };
        if (s == "--files")
            a.files = std::stoi(next());
        else if (s == "--large")
            a.large = true;
        else if (s == "--runs")
            a.runs = std::stoi(next());
        else if (s == "--percent")
            a.percent = std::stod(next());
        else if (s == "--root-added")
            a.rootAdded = std::stoi(next());
        else if (s == "--overwritten")
            a.overwritten = std::stoi(next());
    }
    return a;
}

std::vector<std::string> Cli(const Args& a, const std::string& command) {
    std::vector<std::string> v{KIRAFU_CLI, command, "B"};
    if (a.large) v.push_back("--large");
    return v;
}

// Each Start leaves a result log on the drive; take it away so every run sees the same drive.
void RemoveLogs(const std::string& root) {
    std::error_code ec;
    for (const auto& e : fs::directory_iterator(root + "/Kirafu", ec))
        if (e.path().extension() == ".log") fs::remove(e.path(), ec);
}

// Alternates the reference walk and the command; prints both medians and their ratio.
void Compare(const Args& a, const std::string& root, const std::string& label,
             const std::vector<std::string>& command, int expectedStatus) {
    std::vector<std::string> find{"find", root, "-printf", "%p %s %T@\\n"};
    Spawn(find);
    Spawn(command);  // warm the cache
    RemoveLogs(root);
    std::vector<double> ref, ours;
    long rss = 0;
    for (int r = 0; r < a.runs; ++r) {
        ref.push_back(Spawn(find).seconds);
        Run run = Spawn(command);
        if (run.status != expectedStatus) {
            std::fprintf(stderr, "%s exited %d\n", label.c_str(), run.status);
            std::exit(1);
        }
        ours.push_back(run.seconds);
        RemoveLogs(root);
        rss = std::max(rss, run.maxRssKb);
    }
    std::printf("%-28s %8.3f s   find walk %8.3f s   ratio %5.2f   peak memory %6.1f MiB\n",
                label.c_str(), Median(ours), Median(ref), Median(ours) / Median(ref),
                static_cast<double>(rss) / 1024.0);
}

// Times the comparison phases in this process, on fresh surveys.
void PhaseTimes(const Args& a) {
    std::vector<double> survey, classify, order, tree;
    kirafu::NoProgressBar bar;
    kirafu::SystemClock clock;
    for (int r = 0; r < a.runs; ++r) {
        kirafu::CreateWorkingTables(a.large ? kirafu::Capacities::Large()
                                            : kirafu::Capacities::Standard());
        kirafu::Tables().DriveLetter = "B";
        auto t0 = Clock::now();
        kirafu::StartSurvey(clock);
        kirafu::EnsureAndReadBaseline();
        auto t1 = Clock::now();
        kirafu::ClassifyChanges(bar);
        auto t2 = Clock::now();
        kirafu::OrderAndPairChanges();
        auto t3 = Clock::now();
        kirafu::BuildResultTree();
        auto t4 = Clock::now();
        auto secs = [](auto d) { return std::chrono::duration<double>(d).count(); };
        survey.push_back(secs(t1 - t0));
        classify.push_back(secs(t2 - t1));
        order.push_back(secs(t3 - t2));
        tree.push_back(secs(t4 - t3));
    }
    int results = kirafu::Tables().ResultCount;
    double all = Median(survey) + Median(classify) + Median(order) + Median(tree);
    std::printf(
        "  in process: survey+baseline %.4f s, ClassifyChanges %.4f s, OrderAndPairChanges %.4f s, "
        "BuildResultTree %.4f s (%d result entries); comparison phases %.1f%% of the whole\n",
        Median(survey), Median(classify), Median(order), Median(tree), results,
        100.0 * (Median(classify) + Median(order) + Median(tree)) / all);
    kirafu::ReleaseWorkingTables();
}

}  // namespace

int main(int argc, char** argv) {
    Args a = Parse(argc, argv);
    if (a.mode != "survey" && a.mode != "start") {
        std::fprintf(stderr,
                     "usage: kirafu-bench survey|start [--files N] [--large] [--runs R] ...\n");
        return 2;
    }
    std::string root =
        (fs::temp_directory_path() / ("kirafu-bench-" + std::to_string(getpid()))).string();
    fs::create_directories(root);
    setenv("KIRAFU_DRIVES", ("B=" + root).c_str(), 1);
    kirafu::SetDrives(kirafu::DriveTable::FromSetting("B=" + root));

    kirafu::bench::Changes c;
    if (a.mode == "start") {
        int n = static_cast<int>(a.files * a.percent / 100.0);
        if (a.rootAdded >= 0) {
            c.added = a.rootAdded;
            c.addedInRoot = true;
        } else if (a.overwritten >= 0) {
            c.overwritten = a.overwritten;
        } else {
            c.added = c.deleted = c.overwritten = n;
        }
    }
    // The drive holds `files` files at its fullest: the generated ones, the baseline and the
    // files the changes add beyond those they delete.
    int generated = a.files - 1 - std::max(0, c.added - c.deleted);
    auto made = Clock::now();
    kirafu::bench::Fixture fixture = kirafu::bench::MakeFixture(generated);
    kirafu::bench::WriteFixture(root, fixture);
    std::printf(
        "fixture: %d files in %zu folders (%.1f s to make), %d with the baseline and the changes\n",
        generated, fixture.folders.size(),
        std::chrono::duration<double>(Clock::now() - made).count(), a.files);

    if (a.mode == "survey") {
        Compare(a, root, "update", Cli(a, "update"), 0);
    } else {
        if (Spawn(Cli(a, "update")).status != 0) return 1;
        kirafu::bench::ApplyChanges(root, fixture, c);
        std::printf("changes: %d added%s, %d deleted, %d overwritten\n", c.added,
                    c.addedInRoot ? " in the root" : "", c.deleted, c.overwritten);
        Compare(a, root, "start", Cli(a, "start"), 1);
        PhaseTimes(a);
    }
    fs::remove_all(root);
    return 0;
}
