// The entry line: the one text line that describes a file.
//
//   DriveRoot FolderPath "\" name  dot-leader size " KB " century date-and-time
//
// for example  C:\Windows\b.txt . . . . 20 KB 2003/01/05 9:05:08
// Pieces from the dot leader on are the entry tail. The same file in the same state gives the
// same line at every survey, so comparing lines byte for byte tells what changed.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/Clock.h"

namespace kirafu {

// The size value: the true size in bytes divided by 1024, plus 1.
int64_t SizeValue(int64_t bytes);

// Appends the entry tail for a file of `bytes` bytes last written at `time`.
void AppendEntryTail(std::string& out, int64_t bytes, const LocalMoment& time);
std::string MakeEntryTail(int64_t bytes, const LocalMoment& time);

// DriveRoot + FolderPath + "\" + name + tail.
std::string MakeEntryLine(std::string_view driveRoot, std::string_view folderPath,
                          std::string_view name, std::string_view tail);

}  // namespace kirafu
