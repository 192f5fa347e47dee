// The result log: DriveRoot + "\Kirafu\KF" + YYMMDD + H(H)MMSS + ".log", one per Start, named
// after SurveyDate and SurveyTime (a one-digit hour stays one digit: 9:05:07 gives 90507).
//
//   PeriodHeader CR LF
//   " " DisplayLines[i] CR LF     for i = 0 .. ListCount (the closing line included)
//   " "                           the last byte of the file
//
// The closing line (slot ListCount) is empty when the tree has lines; when ListCount is 0 it
// is the no-change message the Start command stored in DisplayLines[0].
//
// Call order (Start): the last step, after the result has been shown. The data folder must
// exist already (the baseline step makes it). A log that cannot be written throws Failure;
// the log is replaced atomically, never through a symbolic link.
#pragma once

#include <string>

namespace kirafu {

// The log's drive-form path for DriveRoot, SurveyDate and SurveyTime.
std::string ResultLogPath();
void WriteResultLog();

}  // namespace kirafu
