// Random baselines and surveys: the comparison must report their multiset difference, and the
// classification must leave every table slot and make every progress call exactly as the plain
// step-by-step walk (written out below) does.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <random>

#include "compare/ClassifyChanges.h"
#include "compare/CompareTables.h"
#include "compare/OrderAndPairChanges.h"
#include "mock/RowName.h"
#include "mock/TempDrive.h"

namespace kirafu {
namespace {

using test::PrintTo;  // rows show by label

using test::Lines;
using test::LoadLists;
using test::RecordingProgressBar;
using test::Results;

const Text kConsumed = "-";

// ---- The plain walk: every search goes through the list, slot by slot. ----

struct PlainRun {
    TextTable current;
    TextTable previous;
    TextTable result;
    int32_t listCount;
    int32_t resultCount = 0;
    std::vector<std::string> calls;
};

int32_t PlainEnd(const TextTable& list) {
    int32_t p = 0;
    while (list[p] != kEndMarker) ++p;
    return p;
}

void PlainCompact(TextTable& list) {
    size_t w = 0;
    while (list[w] != kConsumed) {
        if (list[w] == kEndMarker) return;
        ++w;
    }
    size_t r = w + 1;
    while (list[r] == kConsumed) ++r;
    if (list[r] == kEndMarker) {
        list[w] = kEndMarker;
        return;
    }
    for (;;) {
        list[w] = list[r];
        list[r] = kConsumed;
        if (list[w] == kEndMarker) return;
        ++r;
        while (list[r] == kConsumed) ++r;
        ++w;
    }
}

void PlainRecompact(TextTable& list) {
    size_t t = 0;
    size_t m = 0;
    for (;;) {
        while (list[m] == kConsumed) ++m;
        list[t] = list[m];
        if (list[t] == kEndMarker) return;
        ++t;
        ++m;
    }
}

void PlainClassify(PlainRun& run) {
    TextTable& cur = run.current;
    TextTable& prev = run.previous;
    const int32_t n = run.listCount;
    run.calls.push_back("max " + std::to_string(n));
    auto search = [&](int32_t k, int32_t first, int32_t last) {
        // A window that begins behind the end marker is empty.
        if (first > PlainEnd(prev)) last = first - 1;
        for (int32_t p = first; p <= last; ++p) {
            if (prev[p] == kEndMarker) break;
            if (prev[p] == cur[k]) {
                prev[p] = kConsumed;
                cur[k] = kConsumed;
                break;
            }
        }
        run.calls.push_back("pos " + std::to_string(k));
    };
    for (int32_t k = 0; k <= std::min(100, n) - 1; ++k) search(k, 0, k + 99);
    for (int32_t k = 100; k <= n - 101; ++k) search(k, k - 100, k + 99);
    for (int32_t k = std::max(0, n - 100); k <= n - 1; ++k) search(k, std::max(0, k - 100), n - 1);
    PlainCompact(cur);
    PlainCompact(prev);
    run.listCount = PlainEnd(prev);
    run.calls.push_back("max " + std::to_string(run.listCount));
    int32_t counter = 0;
    for (int32_t c = 0; cur[c] != kEndMarker; ++c) {
        for (int32_t p = 0;; ++p) {
            if (prev[p] == kEndMarker) {
                run.result[run.resultCount++] = cur[c] + "+";
                break;
            }
            if (prev[p] == cur[c]) {
                prev[p] = kConsumed;
                break;
            }
        }
        run.calls.push_back("pos " + std::to_string(c + 1));
        if (++counter == 500) {
            counter = 0;
            PlainRecompact(prev);
        }
    }
    for (int32_t p = 0; prev[p] != kEndMarker; ++p) {
        if (prev[p] != kConsumed) run.result[run.resultCount++] = prev[p] + "-";
    }
    run.calls.push_back("pos 0");
}

// ---- Random lists. ----

struct Lists {
    Lines previous;
    Lines current;
};

// A file's entry line; `id` names the file, the folders include one with a Shift-JIS name.
Text File(int id, int kb) {
    static const char* const kFolders[] = {"doc", "src\\lib",
                                           "\x83\x5C\x83\x74\x83\x67"};  // ソフト
    char name[32];
    std::snprintf(name, sizeof name, "f%06d.txt", id);
    return test::EntryLine(kFolders[id % 3], name, kb);
}

struct Rates {
    double deleted = 0;
    double overwritten = 0;
    double added = 0;
    double repeated = 0;  // a line written twice
};

bool Chance(std::mt19937& rng, double rate) {
    return std::uniform_real_distribution<>(0, 1)(rng) < rate;
}
int Pick(std::mt19937& rng, int low, int high) {
    return std::uniform_int_distribution<>(low, high)(rng);
}

Lines Survey(std::mt19937& rng, int files, int firstId = 0) {
    Lines lines;
    for (int id = firstId; id < firstId + files; ++id) lines.push_back(File(id, Pick(rng, 1, 9)));
    return lines;
}

// The survey of `before` after some files were deleted, overwritten, added or doubled.
Lines Edited(std::mt19937& rng, const Lines& before, const Rates& rates) {
    int nextNewId = 500000;
    Lines after;
    for (const Text& line : before) {
        if (Chance(rng, rates.deleted)) {
        } else if (Chance(rng, rates.overwritten)) {
            after.push_back(line.substr(0, line.find(' ')) + " . . . . 12 KB 2003/01/05 9:05:08");
        } else {
            after.push_back(line);
            if (Chance(rng, rates.repeated)) after.push_back(line);
        }
        if (Chance(rng, rates.added)) after.push_back(File(nextNewId++, 3));
    }
    return after;
}

Lists RandomEdits(std::mt19937& rng) {
    Lists l;
    l.previous = Edited(rng, Survey(rng, Pick(rng, 0, 400)), Rates{0, 0, 0, 0.02});
    l.current = Edited(rng, l.previous, Rates{0.05, 0.05, 0.05, 0.02});
    return l;
}

Lists FewerThan100(std::mt19937& rng) {
    Lists l;
    l.previous = Survey(rng, Pick(rng, 0, 99));
    l.current = Edited(rng, l.previous, Rates{0.1, 0.1, 0.1, 0.05});
    return l;
}

Lists OneListEmpty(std::mt19937& rng) {
    Lists l;
    (Chance(rng, 0.5) ? l.previous : l.current) = Survey(rng, Pick(rng, 1, 300));
    return l;
}

// A block of added (or deleted) files early in the walk shifts every later file out of its
// window; `leftovers` is the least number of files that come after the block.
Lists Shifted(std::mt19937& rng, int leftovers, bool added) {
    Lists l;
    l.previous = Survey(rng, leftovers + Pick(rng, 300, 500));
    l.current = Edited(rng, l.previous, Rates{0.01, 0.01, 0.01, 0});
    const auto at = static_cast<std::ptrdiff_t>(Pick(rng, 0, 50));
    const int block = Pick(rng, 150, 200);
    if (added) {
        const Lines extra = Survey(rng, block, 900000);
        l.current.insert(l.current.begin() + at, extra.begin(), extra.end());
    } else {
        l.current.erase(l.current.begin() + at, l.current.begin() + at + block);
    }
    return l;
}

Lists ShiftedAdded(std::mt19937& rng) {
    return Shifted(rng, 0, true);
}
Lists ShiftedDeleted(std::mt19937& rng) {
    return Shifted(rng, 0, false);
}
Lists Leftovers1200(std::mt19937& rng) {
    return Shifted(rng, 1200, true);
}

// ListCount more than P + 101: windows of late positions begin behind the baseline's end.
Lists SurveyFarLonger(std::mt19937& rng) {
    Lists l;
    l.previous = Survey(rng, Pick(rng, 0, 50));
    l.current = Survey(rng, Pick(rng, 300, 600), 700000);
    for (const Text& line : l.previous) {
        if (!Chance(rng, 0.1))
            l.current.insert(l.current.begin() + Pick(rng, 0, static_cast<int>(l.current.size())),
                             line);
    }
    return l;
}

// Few different lines, each many times in both lists.
Lists ManyDuplicates(std::mt19937& rng) {
    const Lines pool = Survey(rng, 12);
    Lists l;
    for (int i = Pick(rng, 0, 300); i > 0; --i) l.previous.push_back(pool[Pick(rng, 0, 11)]);
    for (int i = Pick(rng, 0, 300); i > 0; --i) l.current.push_back(pool[Pick(rng, 0, 11)]);
    return l;
}

// The baseline's files in another order: many left-overs, found anywhere in the list.
Lists ReorderedFiles(std::mt19937& rng, int fewest, int most) {
    Lists l;
    l.previous = Survey(rng, Pick(rng, fewest, most));
    l.current = Edited(rng, l.previous, Rates{0.05, 0.05, 0.05, 0.02});
    std::shuffle(l.current.begin(), l.current.end(), rng);
    return l;
}

Lists Reordered(std::mt19937& rng) {
    return ReorderedFiles(rng, 0, 800);
}
// Several re-compactions, each after entries consumed all over the list.
Lists ReorderedManyLeftovers(std::mt19937& rng) {
    return ReorderedFiles(rng, 1500, 1800);
}

// ---- Checks made without the code under test. ----

bool ByteLess(const Text& a, const Text& b) {
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return static_cast<unsigned char>(x) < static_cast<unsigned char>(y);
    });
}

// Lines of `current` the baseline lacks with "+", lines of `previous` the survey lacks with
// "-", each as often as it is missing, in byte order.
Lines SortedDifference(const Lists& lists) {
    std::map<Text, int> surplus;  // > 0: more often in the baseline
    for (const Text& line : lists.previous) ++surplus[line];
    for (const Text& line : lists.current) --surplus[line];
    Lines difference;
    for (const auto& [line, n] : surplus) {
        for (int i = 0; i < std::abs(n); ++i) difference.push_back(line + (n < 0 ? '+' : '-'));
    }
    std::sort(difference.begin(), difference.end(), ByteLess);
    return difference;
}

bool IsSubsequence(const Lines& part, const Lines& whole) {
    auto it = whole.begin();
    for (const Text& line : part) {
        it = std::find(it, whole.end(), line);
        if (it == whole.end()) return false;
        ++it;
    }
    return true;
}

std::string FirstDifference(const TextTable& got, const TextTable& want) {
    for (size_t slot = 0; slot < std::max(got.size(), want.size()); ++slot) {
        if (slot >= got.size() || slot >= want.size() || got[slot] != want[slot]) {
            return "slot " + std::to_string(slot) + ": " +
                   (slot < got.size() ? got[slot] : "(none)") +
                   " / plain: " + (slot < want.size() ? want[slot] : "(none)");
        }
    }
    return "";
}

const Capacities kTables{2000, 4000, 8, 50, 10};

void CheckComparison(const Lists& lists) {
    LoadLists(lists.previous, lists.current, kTables);
    WorkingTables& t = Tables();
    for (size_t slot = 0; slot < t.ResultList.size(); ++slot)
        t.ResultList[slot] = "earlier " + std::to_string(slot);
    PlainRun plain{t.CurrentList, t.PreviousList, t.ResultList, t.ListCount, 0, {}};
    PlainClassify(plain);

    RecordingProgressBar bar;
    ClassifyChanges(bar);

    // Exactly as the plain walk.
    EXPECT_EQ(t.ResultCount, plain.resultCount);
    EXPECT_EQ(t.ListCount, plain.listCount);
    EXPECT_EQ(FirstDifference(t.ResultList, plain.result), "");
    EXPECT_EQ(FirstDifference(t.PreviousList, plain.previous), "");
    EXPECT_EQ(FirstDifference(t.CurrentList, plain.current), "");
    EXPECT_TRUE(bar.calls == plain.calls)
        << bar.calls.size() << " progress calls, plain " << plain.calls.size();

    // Added lines in survey order, then deleted lines in baseline order: together the
    // difference.
    const Lines classified = Results();
    Lines added;
    Lines deleted;
    for (const Text& entry : classified) {
        const Text line = entry.substr(0, entry.size() - 1);
        if (entry.back() == '+') {
            ASSERT_TRUE(deleted.empty()) << "added line after a deleted one: " << entry;
            added.push_back(line);
        } else {
            ASSERT_EQ(entry.back(), '-');
            deleted.push_back(line);
        }
    }
    EXPECT_TRUE(IsSubsequence(added, lists.current));
    EXPECT_TRUE(IsSubsequence(deleted, lists.previous));
    const Lines difference = SortedDifference(lists);
    Lines sorted = classified;
    std::stable_sort(sorted.begin(), sorted.end(), ByteLess);
    ASSERT_EQ(sorted, difference);

    // Ordered as the difference; an overwritten file (its one new and one old line) marked "*"
    // and "!"; a lone line keeps its mark. Runs of one file with repeated lines are left to the
    // pairing cases.
    OrderAndPairChanges();
    const Lines ordered = Results();
    ASSERT_EQ(ordered.size(), difference.size());
    auto unmarked = [](const Text& entry) { return entry.substr(0, entry.size() - 1); };
    auto fileOf = [](const Text& entry) { return entry.substr(0, entry.find(' ')); };
    for (size_t begin = 0, end = 0; begin < ordered.size(); begin = end) {
        while (end < ordered.size() && fileOf(difference[end]) == fileOf(difference[begin])) ++end;
        for (size_t k = begin; k < end; ++k) {
            ASSERT_EQ(unmarked(ordered[k]), unmarked(difference[k]));
            const char mark = difference[k].back();
            if (end - begin == 1) {
                EXPECT_EQ(ordered[k].back(), mark) << ordered[k];
            } else if (end - begin == 2 &&
                       difference[begin].back() != difference[begin + 1].back()) {
                EXPECT_EQ(ordered[k].back(), mark == '+' ? '*' : '!') << ordered[k];
            }
        }
    }
}

struct Shape {
    const char* label;
    Lists (*make)(std::mt19937&);
    int runs;
};

class ClassifyChangesProperty : public testing::TestWithParam<Shape> {};

TEST_P(ClassifyChangesProperty, ReportsTheDifferenceAsThePlainWalk) {
    for (int seed = 1; seed <= GetParam().runs; ++seed) {
        std::mt19937 rng(static_cast<unsigned>(seed));
        const Lists lists = GetParam().make(rng);
        SCOPED_TRACE("seed " + std::to_string(seed) + ", " + std::to_string(lists.previous.size()) +
                     " baseline lines, " + std::to_string(lists.current.size()) + " survey lines");
        CheckComparison(lists);
        if (HasFailure()) return;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Shapes, ClassifyChangesProperty,
    testing::Values(Shape{"RandomEdits", RandomEdits, 40}, Shape{"FewerThan100", FewerThan100, 40},
                    Shape{"OneListEmpty", OneListEmpty, 6}, Shape{"ShiftedAdded", ShiftedAdded, 8},
                    Shape{"ShiftedDeleted", ShiftedDeleted, 8},
                    Shape{"Leftovers1200", Leftovers1200, 3},
                    Shape{"SurveyFarLonger", SurveyFarLonger, 15},
                    Shape{"ManyDuplicates", ManyDuplicates, 20}, Shape{"Reordered", Reordered, 15},
                    Shape{"ReorderedManyLeftovers", ReorderedManyLeftovers, 4}),
    test::RowName());

}  // namespace
}  // namespace kirafu
