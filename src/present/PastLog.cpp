#include "present/PastLog.h"

#include "app/WorkingTables.h"
#include "platform/NameCodec.h"
#include "platform/TextFile.h"

namespace kirafu {

const std::string& RefusalMessage() {
    static const std::string message = Sjis("このファイルは開けません。");
    return message;
}

bool PassesLogNameTest(std::string_view drivePath) {
    return drivePath.size() >= 12 && drivePath.substr(10, 2) == "KF" && drivePath.ends_with("log");
}

PastLogOutcome LoadPastLog(std::string_view drivePath) {
    PastLogOutcome outcome;
    if (!PassesLogNameTest(drivePath)) {
        outcome.refused = true;
        return outcome;
    }
    WorkingTables& t = Tables();
    // Any folder: a log may be picked from wherever the user keeps it.
    TextReader reader(drivePath, TextReader::Folder::kAnyFolder);
    const auto slots = static_cast<int32_t>(t.DisplayLines.size());
    int32_t n = 0;
    std::string line;
    // What was read stays loaded, also when a read fails part way.
    auto finish = [&] {
        t.ListCount = n;
        t.PastLogShown = 1;
    };
    try {
        while (reader.ReadLine(line)) {
            if (n == slots) {
                outcome.truncated = true;
                break;
            }
            std::string& slot = t.DisplayLines[static_cast<size_t>(n++)];
            slot.assign(Trim(line));
            if (slot == kEndMarker) break;
        }
    } catch (...) {
        finish();
        throw;
    }
    finish();
    return outcome;
}

}  // namespace kirafu
