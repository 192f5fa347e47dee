// The comparison phases in memory: ClassifyChanges and OrderAndPairChanges on generated lists,
// the usual case (1% of the files added, 1% deleted, 1% overwritten) against the worst cases
// that fit the tables (150 files added in the first folder, so that every later entry misses
// its window; 3000 files overwritten). Prints each phase's median time and its ratio to the
// usual case, for the first run in a fresh process (as a command makes it once) and for runs
// repeated in one process.
//
//   compare_bench [--files N] [--runs N]     (--files 1000000 uses the large tables)

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "app/WorkingTables.h"
#include "compare/ClassifyChanges.h"
#include "compare/OrderAndPairChanges.h"
#include "platform/NameCodec.h"

namespace {

using kirafu::Text;
using Lines = std::vector<Text>;

// The entry line of file `id`: 40 files a folder, folders two levels deep, a third of the names
// Japanese (Shift-JIS), in the order a walk lists them.
Text FileLine(int id, int kb, const char* stamp = "2003/01/05 9:05:08") {
    static const char* const kLeaders[] = {" . . . . . ", " . . . . ", " . . . ", " . . "};
    const int folder = id / 40;
    std::string line =
        "C:\\proj" + std::to_string(folder / 30) + "\\part" + std::to_string(folder % 30) + "\\";
    line += id % 3 == 0 ? "\x83\x5C\x83\x74\x83\x67" : "file";  // ソフト
    line += std::to_string(id) + ".dat";
    const std::string size = std::to_string(kb);
    return line + kLeaders[std::min<size_t>(size.size(), 4) - 1] + size + " KB " + stamp;
}

struct Case {
    const char* label;
    Lines previous;
    Lines current;
};

Case UsualCase(const Lines& baseline, std::mt19937& rng) {
    Case c{"1% added, deleted, overwritten", baseline, {}};
    const int n = static_cast<int>(baseline.size());
    std::vector<char> what(baseline.size(), ' ');
    for (int i = 0; i < n / 100; ++i) what[rng() % what.size()] = 'd';
    for (int i = 0; i < n / 100; ++i) what[rng() % what.size()] = 'o';
    int newId = 10000000;
    for (int k = 0; k < n; ++k) {
        if (what[k] == 'o') c.current.push_back(FileLine(k, 77, "2004/02/02 10:00:00"));
        if (what[k] == ' ') c.current.push_back(baseline[k]);
        if (rng() % 100 == 0) c.current.push_back(FileLine(newId++, 3));
    }
    c.current.resize(std::min(c.current.size(), baseline.size()));  // as many as the list holds
    return c;
}

Case ShiftedCase(const Lines& baseline) {
    // The baseline holds 150 files fewer, so that the survey fills the list as the other cases.
    Case c{"150 added in the first folder", Lines(baseline.begin(), baseline.end() - 150), {}};
    c.current.assign(c.previous.begin(), c.previous.begin() + 5);
    for (int i = 0; i < 150; ++i) c.current.push_back(FileLine(20000000 + i, 1));
    c.current.insert(c.current.end(), c.previous.begin() + 5, c.previous.end());
    return c;
}

Case OverwrittenCase(const Lines& baseline) {
    Case c{"3000 overwritten", baseline, baseline};
    const size_t step = baseline.size() / 3000;
    for (size_t k = 0; k < 3000; ++k)
        c.current[k * step] = FileLine(static_cast<int>(k * step), 88, "2004/02/02 10:00:00");
    return c;
}

void Load(const Case& c) {
    kirafu::WorkingTables& t = kirafu::Tables();
    std::copy(c.previous.begin(), c.previous.end(), t.PreviousList.begin());
    t.PreviousList[c.previous.size()] = kirafu::kEndMarker;
    std::copy(c.current.begin(), c.current.end(), t.CurrentList.begin());
    t.CurrentList[c.current.size()] = kirafu::kEndMarker;
    t.ListCount = static_cast<int32_t>(c.current.size());
}

struct Times {
    double classify;
    double order;
    int results;
};

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

Case MakeCase(int index, int files) {
    Lines baseline;
    for (int id = 0; id < files; ++id) baseline.push_back(FileLine(id, 1 + id % 700));
    std::mt19937 rng(7);
    if (index == 0) return UsualCase(baseline, rng);
    if (index == 1) return ShiftedCase(baseline);
    return OverwrittenCase(baseline);
}

// Times the two phases on the case `runs` times in this process; the first run is the one a
// command makes (its work memory is fresh), the later ones reuse memory freed before.
std::vector<Times> RunCase(const Case& c, int runs) {
    using Clock = std::chrono::steady_clock;
    kirafu::CreateWorkingTables(c.current.size() < 30000 ? kirafu::Capacities::Standard()
                                                         : kirafu::Capacities::Large());
    std::vector<Times> times;
    kirafu::NoProgressBar bar;
    // A command has built the code tables by now (the survey converts every name): not timed.
    kirafu::Sjis("から");
    for (int run = 0; run < runs; ++run) {
        Load(c);
        const auto t0 = Clock::now();
        kirafu::ClassifyChanges(bar);
        const auto t1 = Clock::now();
        kirafu::OrderAndPairChanges();
        const auto t2 = Clock::now();
        times.push_back({std::chrono::duration<double, std::milli>(t1 - t0).count(),
                         std::chrono::duration<double, std::milli>(t2 - t1).count(),
                         kirafu::Tables().ResultCount});
    }
    return times;
}

// The first run of a case in a fresh process of this program (--child).
Times FreshRun(const char* self, int index, int files) {
    const std::string command = std::string(self) + " --child " + std::to_string(index) +
                                " --files " + std::to_string(files);
    FILE* child = popen(command.c_str(), "r");
    Times t{};
    if (child == nullptr ||
        std::fscanf(child, "%lf %lf %d", &t.classify, &t.order, &t.results) != 3) {
        std::exit(1);
    }
    pclose(child);
    return t;
}

void PrintRow(const char* label, const Times& t, const Times& usual) {
    std::printf("%-32s %8d %12.3f %8.2f %12.3f %8.2f\n", label, t.results, t.classify,
                t.classify / usual.classify, t.order, t.order / usual.order);
}

}  // namespace

int main(int argc, char** argv) {
    int files = 29999;
    int runs = 21;
    int child = -1;
    for (int i = 1; i + 1 < argc; i += 2) {
        if (std::strcmp(argv[i], "--files") == 0) files = std::atoi(argv[i + 1]);
        if (std::strcmp(argv[i], "--runs") == 0) runs = std::atoi(argv[i + 1]);
        if (std::strcmp(argv[i], "--child") == 0) child = std::atoi(argv[i + 1]);
    }
    if (child >= 0) {
        const Times t = RunCase(MakeCase(child, files), 1).front();
        std::printf("%f %f %d\n", t.classify, t.order, t.results);
        return 0;
    }

    const char* labels[] = {"1% added, deleted, overwritten", "150 added in the first folder",
                            "3000 overwritten"};
    const char* header = "%-32s %8s %12s %8s %12s %8s\n";
    std::printf("%d files, medians of %d runs (ms)\n", files, runs);
    std::printf("\nFresh process (a command's one run):\n");
    std::printf(header, "case", "results", "Classify", "ratio", "OrderAndPair", "ratio");
    Times usual{};
    for (int index = 0; index < 3; ++index) {
        std::vector<double> classify;
        std::vector<double> order;
        Times t{};
        for (int run = 0; run < runs; ++run) {
            t = FreshRun(argv[0], index, files);
            classify.push_back(t.classify);
            order.push_back(t.order);
        }
        t = {Median(classify), Median(order), t.results};
        if (index == 0) usual = t;
        PrintRow(labels[index], t, usual);
    }
    std::printf("\nRepeated in one process:\n");
    std::printf(header, "case", "results", "Classify", "ratio", "OrderAndPair", "ratio");
    for (int index = 0; index < 3; ++index) {
        const std::vector<Times> all = RunCase(MakeCase(index, files), runs);
        std::vector<double> classify;
        std::vector<double> order;
        for (const Times& t : all) {
            classify.push_back(t.classify);
            order.push_back(t.order);
        }
        const Times t{Median(classify), Median(order), all.front().results};
        if (index == 0) usual = t;
        PrintRow(labels[index], t, usual);
    }
    return 0;
}
