// The result tree: ResultList laid out as a folder tree of display lines.
//
// Call order (Start): after OrderAndPairChanges. BuildResultTree writes DisplayLines[0 ..
// ListCount-1] (a drive heading, folder headings, one file line per entry) and repairs the
// box-drawing branches. A tree that needs more lines than DisplayLines holds (one slot stays
// free for the result log's closing line) throws Failure giving the number and the limit.
#pragma once

#include <string_view>

namespace kirafu {

void BuildResultTree();
// Splits one entry into PathParts, LinePieces and the path-part count.
void SplitEntry(std::string_view entry);
// Appends the headings the entry in PathParts needs to DisplayLines.
void AddFolderHeadings();
// Turns provisional tees into corners and cuts vertical lines where nothing follows.
void RepairBranches();

}  // namespace kirafu
