// The result tree: ResultList laid out as a folder tree of display lines.
//
// Call order (Start): after OrderAndPairChanges, with HeadedParts[0] cleared by the survey.
// BuildResultTree sets ListCount to 0, then for each ResultList entry runs SplitEntry,
// AddFolderHeadings and appends the file line, and ends with RepairBranches. It writes
// DisplayLines[0 .. ListCount-1] (a drive heading, folder headings, one file line per entry)
// and no slot at or beyond the final ListCount.
//
// Line kinds before the repair ("│　　" is one tree column, 6 bytes):
//   drive heading   drive part + "<Drive>"            (always the first line)
//   folder heading  (depth-1) x "│　　", "├─", name, "<Folder>"
//   file line       (folders above) x "│　　", "├─", leaf text (name ... date time mark)
// RepairBranches then turns the tee of each last child into "└" and blanks the vertical lines
// that nothing below continues.
//
// The tree may use at most displaySlots - 1 lines: the result log needs one more slot for its
// closing line. A tree that needs more throws Failure giving the number of lines needed and
// the limit; ListCount is then 0 and no line past the limit has been written.
#pragma once

#include <cstdint>
#include <string_view>

namespace kirafu {

void BuildResultTree();

// Splits one entry into PathParts (drive part, folder names, an empty leaf slot), LinePieces
// (continuation glyphs, the branch glyph, the leaf text) and the path-part count. Shift-JIS
// characters are taken whole, so a trail byte 0x5C is never a separator. The scan stops at the
// first "/" of the file's date. At most 11 parts: separators past the tenth are kept in the
// leaf text, so an over-deep entry ends up as one file line whose leaf holds the rest of its
// path. An entry without any "\" gets an empty drive part.
void SplitEntry(std::string_view entry);
// The path-part count of the entry split last: 2 to 11.
int32_t PartCount();
// Appends to DisplayLines the headings the entry in PathParts needs (every level whose part
// differs from HeadedParts, and every level below it) and updates HeadedParts.
void AddFolderHeadings();
// Turns provisional tees into corners and cuts vertical lines where nothing follows, from the
// last line up; line 0 is never changed.
void RepairBranches();

}  // namespace kirafu
