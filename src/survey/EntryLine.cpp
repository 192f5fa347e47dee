#include "survey/EntryLine.h"

#include <charconv>

namespace kirafu {
namespace {

// Dot leaders by the length of the size text: 1, 2, 3, 4 or more characters.
constexpr std::string_view kLeaders[] = {" . . . . . ", " . . . . ", " . . . ", " . . "};

void AppendTwoDigits(std::string& out, int v) {
    out += static_cast<char>('0' + (v / 10) % 10);
    out += static_cast<char>('0' + v % 10);
}

}  // namespace

int64_t SizeValue(int64_t bytes) {
    return bytes / 1024 + 1;
}

void AppendEntryTail(std::string& out, int64_t bytes, const LocalMoment& t) {
    char size[24];
    auto res = std::to_chars(size, size + sizeof size, SizeValue(bytes));
    auto sizeLen = static_cast<size_t>(res.ptr - size);
    out += kLeaders[sizeLen >= 4 ? 3 : sizeLen - 1];
    out.append(size, sizeLen);
    out += " KB ";
    // The century of the real year, then the date text and, unless it is exactly midnight,
    // a blank and the time text.
    AppendTwoDigits(out, t.year / 100);
    AppendTwoDigits(out, t.year % 100);
    out += '/';
    AppendTwoDigits(out, t.month);
    out += '/';
    AppendTwoDigits(out, t.day);
    if (t.hour != 0 || t.minute != 0 || t.second != 0) {
        out += ' ';
        if (t.hour >= 10) out += static_cast<char>('0' + t.hour / 10);
        out += static_cast<char>('0' + t.hour % 10);
        out += ':';
        AppendTwoDigits(out, t.minute);
        out += ':';
        AppendTwoDigits(out, t.second);
    }
}

std::string MakeEntryTail(int64_t bytes, const LocalMoment& time) {
    std::string tail;
    AppendEntryTail(tail, bytes, time);
    return tail;
}

std::string MakeEntryLine(std::string_view driveRoot, std::string_view folderPath,
                          std::string_view name, std::string_view tail) {
    std::string line;
    line.reserve(driveRoot.size() + folderPath.size() + 1 + name.size() + tail.size());
    line.append(driveRoot).append(folderPath).append("\\").append(name).append(tail);
    return line;
}

}  // namespace kirafu
