// The folder walker: a survey of one drive into CurrentList.
//
// Call order: StartSurvey stamps SurveyDate and SurveyTime, clears HeadedParts[0], sets
// DriveRoot from DriveLetter and walks the drive. The walk is depth first and pre-order, a
// fixed nest of ten listing levels over FolderTable (the root and nine folder levels; files
// deeper than nine folders are not surveyed), with no recursion. A folder's own files come
// before its sub-folders', sub-folders in listing order, and "Program Files" is walked last
// from the root when the root listing did not already hold a folder of that name. The list is
// closed by the end marker at slot ListCount.
//
// A listing with more folders than a level holds, or more files than CurrentList holds, stops
// the survey with a Failure that names the folder or the count and the limit.
#pragma once

#include "platform/Clock.h"

namespace kirafu {

void StartSurvey(const Clock& clock);
void WalkDrive();
// Lists DriveRoot + FolderPath at `level`: appends its files to CurrentList and stores its
// sub-folders at that level of FolderTable. Returns the listing count (sub-folders stored).
int ListOneFolder(int level);

}  // namespace kirafu
