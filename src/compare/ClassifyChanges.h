// Matching and classification: which entry lines the survey (CurrentList) and the baseline
// (PreviousList) do not share.
//
// Call order (Start): after EnsureAndReadBaseline, before OrderAndPairChanges.
// Needs CurrentList's end marker at slot ListCount and PreviousList closed by its end marker;
// no slot behind either end marker is read or written.
//
// Builds PeriodHeader, matches CurrentList against PreviousList (windowed matching, then the
// left-overs one by one), and writes ResultList[0 .. ResultCount-1]: the current left-overs
// with "+" in survey order, then the previous left-overs with "-" in baseline order; every line
// is reported as often as it occurs more in one list than in the other. Both lists are consumed
// and compacted in place, and ListCount becomes the number of previous left-overs. Drives `bar`:
// maximum ListCount, the windowed positions, maximum of the previous left-overs, positions 1, 2,
// ... for the current left-overs, position 0 at the end.
//
// When the changes do not fit ResultList, throws Failure giving their number and the limit,
// after setting the bar to 0; ResultList is then left untouched and ResultCount is 0.
#pragma once

#include "platform/Controls.h"

namespace kirafu {

void ClassifyChanges(ProgressBar& bar);

}  // namespace kirafu
