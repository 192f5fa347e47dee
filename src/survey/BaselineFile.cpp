#include "survey/BaselineFile.h"

#include "app/WorkingTables.h"
#include "platform/Error.h"
#include "platform/FolderListing.h"
#include "platform/NameCodec.h"
#include "platform/TextFile.h"

namespace kirafu {

std::string BaselinePath() {
    return Tables().DriveRoot + "\\Kirafu\\zenkaidt.txt";
}

void EnsureAndReadBaseline() {
    WorkingTables& t = Tables();
    if (!PathExists(BaselinePath())) {
        CreateFolder(t.DriveRoot + "\\Kirafu");  // it may exist already
        WriteBaseline();
    }
    ReadBaseline();
}

void WriteBaseline() {
    WorkingTables& t = Tables();
    TextWriter file(BaselinePath());
    file.Write(t.SurveyDate);
    file.Write("\n ");
    file.Write(t.SurveyTime);
    file.Write("\n");
    for (const Text& line : t.CurrentList) {
        file.Write(line);
        file.Write("\n");
        if (line == kEndMarker) break;
    }
    file.Commit();
}

void ReadBaseline() {
    WorkingTables& t = Tables();
    const std::string path = BaselinePath();
    TextReader file(path);
    std::string line;
    t.BaselineDate = file.ReadLine(line) ? Text(Trim(line)) : Text();
    t.BaselineTime = file.ReadLine(line) ? Text(Trim(line)) : Text();
    const size_t lastEntrySlot = static_cast<size_t>(t.capacities.listSlots - 1);
    size_t n = 0;
    bool closed = false;
    while (file.ReadLine(line)) {
        std::string_view trimmed = Trim(line);
        if (n == lastEntrySlot && trimmed != kEndMarker) {
            throw Failure(Sjis("基準ファイル ") + path + Sjis(" の行数が多すぎます（") +
                          std::to_string(lastEntrySlot) + Sjis(" 行まで）。"));
        }
        t.PreviousList[n++].assign(trimmed);
        if (trimmed == kEndMarker) {
            closed = true;
            break;
        }
    }
    if (!closed) t.PreviousList[n] = kEndMarker;
}

}  // namespace kirafu
