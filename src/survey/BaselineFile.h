// The baseline file: DriveRoot + "\Kirafu\zenkaidt.txt", the stored survey later surveys of
// the drive are compared with.
//
//   line 1      SurveyDate
//   line 2      " " SurveyTime
//   lines 3...  the entry lines of CurrentList, in order
//   last        "*"
// Shift-JIS, every line ended by CR LF.
//
// Call order (Start and Update, right after a survey): EnsureAndReadBaseline; Update then calls
// WriteBaseline. The file is replaced atomically and read with read access only; a baseline of
// more lines than PreviousList holds stops the command with a Failure.
#pragma once

#include <string>

namespace kirafu {

// DriveRoot + "\Kirafu\zenkaidt.txt".
std::string BaselinePath();

// Writes the baseline from CurrentList when the drive has none, then reads it.
void EnsureAndReadBaseline();
// Writes SurveyDate, SurveyTime and CurrentList up to and including its end marker.
void WriteBaseline();
// Reads the file into BaselineDate, BaselineTime and PreviousList. Lines are read whole and
// trimmed; reading stops after the end marker. A file without one is read to its end and the
// list is closed with the end marker; missing header lines are the empty text.
void ReadBaseline();

}  // namespace kirafu
