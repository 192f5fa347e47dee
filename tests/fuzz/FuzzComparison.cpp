// The comparison and the result tree on arbitrary lists: the input is split into lines at
// "\n", and at a line "==" into the survey and the baseline. Whatever the lines, the result is
// the multiset difference of the two lists and nothing reads or writes outside a table.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

#include "app/WorkingTables.h"
#include "compare/ClassifyChanges.h"
#include "compare/OrderAndPairChanges.h"
#include "platform/Error.h"
#include "present/ResultTree.h"

namespace {

kirafu::Capacities SmallTables() {
    return {400, 300, 200, 50, 10};
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace kirafu;
    std::string input(reinterpret_cast<const char*>(data), size);
    std::vector<std::string> lists[2];
    int which = 0;
    size_t start = 0;
    while (start <= input.size()) {
        size_t end = input.find('\n', start);
        if (end == std::string::npos) end = input.size();
        std::string line = input.substr(start, end - start);
        start = end + 1;
        if (line == "==") {
            which = 1;
            continue;
        }
        // Lines as the survey and the baseline reader make them: never "*" or "-", never with
        // a line end; the tests of the reader cover what files hold.
        if (line.empty() || line == "*" || line == "-") continue;
        if (lists[which].size() < 399) lists[which].push_back(line);
    }
    CreateWorkingTables(SmallTables());
    WorkingTables& t = Tables();
    for (size_t i = 0; i < lists[0].size(); ++i) t.CurrentList[i] = lists[0][i];
    t.CurrentList[lists[0].size()] = kEndMarker;
    for (size_t i = 0; i < lists[1].size(); ++i) t.PreviousList[i] = lists[1][i];
    t.PreviousList[lists[1].size()] = kEndMarker;
    t.ListCount = static_cast<int32_t>(lists[0].size());

    std::map<std::string, int> balance;
    for (const auto& l : lists[0]) ++balance[l];
    for (const auto& l : lists[1]) --balance[l];
    size_t expected = 0;
    for (const auto& [line, n] : balance) expected += static_cast<size_t>(std::abs(n));

    NoProgressBar bar;
    bool refused = false;
    try {
        ClassifyChanges(bar);
        if (static_cast<size_t>(t.ResultCount) != expected) std::abort();
        OrderAndPairChanges();
        if (static_cast<size_t>(t.ResultCount) != expected) std::abort();
        for (int32_t i = 0; i < t.ResultCount; ++i) {
            const std::string& e = t.ResultList[static_cast<size_t>(i)];
            if (e.empty() || std::string_view("+-*!").find(e.back()) == std::string_view::npos)
                std::abort();
        }
        BuildResultTree();
        if (t.ListCount >= t.capacities.displaySlots) std::abort();
    } catch (const Failure&) {
        refused = true;  // a result larger than the tables is refused; that is an answer too
    }
    if (refused && expected <= static_cast<size_t>(SmallTables().resultSlots) && t.ListCount != 0)
        std::abort();
    ReleaseWorkingTables();
    return 0;
}
