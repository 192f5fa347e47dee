// Reading a past result log back into DisplayLines.
//
// The name test looks at the drive-form path only: characters 11 and 12 (counted from 1) must
// be "KF" and the last three "log", both exact and case-sensitive. So every log in the data
// folder of any drive passes ("X:\Kirafu\KF..."), and so does any other path with those bytes
// there. A path that fails is refused: nothing is opened and nothing changes; the caller shows
// RefusalMessage().
//
// A log that passes is read line by line, each line whole and trimmed of the bytes 0x00-0x20
// at both ends (the leading space of the log's lines, the final lone space): DisplayLines[0 ..
// n-1], ListCount = n, PastLogShown = 1; a line that is exactly "*" is stored and ends the
// reading. Slots from n on keep what they held. A log longer than DisplayLines loads its first
// displaySlots lines and says so. A file that cannot be opened throws Failure and changes
// nothing; a read error part way leaves the lines read so far loaded and throws Failure.
#pragma once

#include <string>
#include <string_view>

namespace kirafu {

// "このファイルは開けません。" in Shift-JIS.
const std::string& RefusalMessage();

bool PassesLogNameTest(std::string_view drivePath);

struct PastLogOutcome {
    bool refused = false;    // failed the name test: nothing was read
    bool truncated = false;  // more lines than DisplayLines holds; the rest was not loaded
};
// Reads the log at drivePath (drive form).
PastLogOutcome LoadPastLog(std::string_view drivePath);

}  // namespace kirafu
