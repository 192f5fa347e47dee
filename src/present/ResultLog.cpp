#include "present/ResultLog.h"

#include <string_view>

#include "app/WorkingTables.h"
#include "platform/Error.h"
#include "platform/NameCodec.h"
#include "platform/TextFile.h"

namespace kirafu {
namespace {

// count characters of text from character `from` (counted from 1); fewer when the text is
// shorter.
std::string_view Chars(std::string_view text, size_t from, size_t count) {
    if (from - 1 >= text.size()) return {};
    return text.substr(from - 1, count);
}

}  // namespace

std::string ResultLogPath() {
    const WorkingTables& t = Tables();
    std::string_view date = t.SurveyDate;
    std::string_view time = t.SurveyTime;
    // "9:05:07": a one-digit hour shifts minute and second one character to the left.
    size_t shift = time.size() >= 2 && time[1] == ':' ? 1 : 0;
    std::string path = t.DriveRoot;
    path += "\\Kirafu\\KF";
    path += Chars(date, 1, 2);
    path += Chars(date, 4, 2);
    path += Chars(date, 7, 2);
    path += Chars(time, 1, 2 - shift);
    path += Chars(time, 4 - shift, 2);
    path += Chars(time, 7 - shift, 2);
    path += ".log";
    return path;
}

void WriteResultLog() {
    const WorkingTables& t = Tables();
    // Never read outside DisplayLines, whatever ListCount says.
    if (t.ListCount < 0 || t.ListCount > t.capacities.displaySlots || t.DisplayLines.empty())
        throw Failure(Sjis("内部エラー：表示行の数が表の大きさを超えています。"));
    TextWriter log(ResultLogPath());
    // Each line is followed by "\n ", so the space that begins a line comes with the line
    // before it and the file ends with a lone space.
    log.Write(t.PeriodHeader);
    log.Write("\n ");
    for (int32_t i = 0; i < t.ListCount; ++i) {
        log.Write(t.DisplayLines[static_cast<size_t>(i)]);
        log.Write("\n ");
    }
    // The closing line: the no-change message of an empty tree, else empty (the slot itself
    // may hold a line of an earlier, longer result).
    if (t.ListCount == 0) log.Write(t.DisplayLines[0]);
    log.Write("\n ");
    log.Commit();
}

}  // namespace kirafu
