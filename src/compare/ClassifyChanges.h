// Matching and classification: which entry lines the survey (CurrentList) and the baseline
// (PreviousList) do not share.
//
// Call order (Start): after EnsureAndReadBaseline, before OrderAndPairChanges.
// Builds PeriodHeader, matches CurrentList against PreviousList (windowed matching, then the
// left-overs exhaustively), and writes ResultList[0 .. ResultCount-1]: the current left-overs
// with "+" in survey order, then the previous left-overs with "-" in baseline order. Both
// lists are consumed and compacted in place. Drives `bar` (maximum and position).
//
// When the changes do not fit ResultList, throws Failure giving their number and the limit;
// the tables are then in no state to build a result from.
#pragma once

#include "platform/Controls.h"

namespace kirafu {

void ClassifyChanges(ProgressBar& bar);

}  // namespace kirafu
