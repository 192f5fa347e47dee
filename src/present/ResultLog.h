// The result log: DriveRoot + "\Kirafu\KF" + YYMMDD + H(H)MMSS + ".log", one per Start.
//
//   PeriodHeader CR LF
//   " " DisplayLines[i] CR LF     for i = 0 .. ListCount (the closing line included)
//   " "                           the last byte of the file
//
// Call order (Start): the last step, after the result has been shown. A log that cannot be
// written throws Failure; the log is replaced atomically, never through a symbolic link.
#pragma once

#include <string>

namespace kirafu {

// The log's drive-form path for SurveyDate and SurveyTime.
std::string ResultLogPath();
void WriteResultLog();

}  // namespace kirafu
