// Test support for the comparison: lists in and out of the working tables, and entry lines.
#pragma once

#include <algorithm>
#include <string>
#include <vector>

#include "app/WorkingTables.h"

namespace kirafu::test {

using Lines = std::vector<Text>;

// Fresh tables holding the baseline `previous` and the survey `current`, each closed by its end
// marker, with the baseline moment of the worked examples. The slots behind each end marker
// hold entries of the other list, so that a search reading there would find a false match.
inline void LoadLists(const Lines& previous, const Lines& current,
                      const Capacities& capacities = Capacities::Standard()) {
    CreateWorkingTables(capacities);
    WorkingTables& t = Tables();
    auto fill = [](TextTable& list, const Lines& lines, const Lines& bait) {
        size_t slot = 0;
        for (const Text& line : lines) list[slot++] = line;
        list[slot++] = kEndMarker;
        for (size_t b = 0; b < bait.size() && slot < list.size(); ++b) list[slot++] = bait[b];
    };
    fill(t.PreviousList, previous, current);
    fill(t.CurrentList, current, previous);
    t.ListCount = static_cast<int32_t>(current.size());
    t.BaselineDate = "99/01/30";
    t.BaselineTime = "10:05:00";
    t.SurveyDate = "99/02/01";
    t.SurveyTime = "9:45:10";
}

// ResultList[0 .. ResultCount-1].
inline Lines Results() {
    const WorkingTables& t = Tables();
    return Lines(t.ResultList.begin(), t.ResultList.begin() + t.ResultCount);
}

// The first n slots of a table.
inline Lines Head(const TextTable& table, size_t n) {
    return Lines(table.begin(), table.begin() + n);
}

// The entry line of file `name` in folder `folder` (below C:).
inline Text EntryLine(const std::string& folder, const std::string& name, int kb,
                      const char* stamp = "1999/01/30 10:00:00") {
    static const char* const kLeaders[] = {" . . . . . ", " . . . . ", " . . . ", " . . "};
    const std::string size = std::to_string(kb);
    return "C:\\" + folder + "\\" + name + kLeaders[std::min<size_t>(size.size(), 4) - 1] + size +
           " KB " + stamp;
}

}  // namespace kirafu::test
