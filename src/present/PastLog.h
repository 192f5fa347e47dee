// Reading a past result log back into DisplayLines.
//
// The name test looks at the drive-form path only: characters 11 and 12 (counted from 1) must
// be "KF" and the last three "log", both exact. A path that fails is refused with
// kRefusalMessage and nothing is opened or changed.
//
// A log that passes is read line by line (whole lines, trimmed), stopping after a "*" line;
// DisplayLines[0 .. n-1] and ListCount = n, PastLogShown = 1. A log longer than DisplayLines
// loads its first lines and says so.
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
// Reads the log at drivePath; a file that cannot be read throws Failure.
PastLogOutcome LoadPastLog(std::string_view drivePath);

}  // namespace kirafu
