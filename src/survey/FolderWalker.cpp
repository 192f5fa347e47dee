#include "survey/FolderWalker.h"

#include <string>

#include "app/WorkingTables.h"
#include "platform/Error.h"
#include "platform/FolderListing.h"
#include "platform/NameCodec.h"
#include "survey/EntryLine.h"

namespace kirafu {
namespace {

const std::string kProgramFiles = "Program Files";
constexpr int kMaxLevels = 16;

[[noreturn]] void ThrowTooManyFolders(const WorkingTables& t) {
    std::string folder = t.DriveRoot + (t.FolderPath.empty() ? "\\" : t.FolderPath);
    throw Failure(Sjis("フォルダー ") + folder +
                  Sjis(" のサブフォルダーが多すぎます（一つのフォルダーにつき ") +
                  std::to_string(t.capacities.foldersPerLevel) +
                  Sjis(" 個まで）。調査を中止しました。"));
}

[[noreturn]] void ThrowTooManyFiles(const WorkingTables& t) {
    throw Failure(Sjis("ドライブ ") + t.DriveRoot + Sjis(" のファイルが多すぎます（") +
                  std::to_string(t.capacities.listSlots - 1) +
                  Sjis(" 個まで）。調査を中止しました。"));
}

}  // namespace

void StartSurvey(const Clock& clock) {
    WorkingTables& t = Tables();
    LocalMoment now = clock.Now();
    t.SurveyDate = DateText(now);
    t.SurveyTime = TimeText(now);
    t.HeadedParts[0].clear();
    t.DriveRoot = t.DriveLetter + ":";
    t.ListCount = 0;
    WalkDrive();
}

int ListOneFolder(int level) {
    WorkingTables& t = Tables();
    FolderListing& listing = TheListing();
    const int32_t perLevel = t.capacities.foldersPerLevel;
    const int32_t lastEntrySlot = t.capacities.listSlots - 1;  // the end marker needs one slot
    int count = 0;
    if (!listing.FindFirst(t.DriveRoot + t.FolderPath)) {
        listing.FindClose();
        return 0;
    }
    do {
        const ListingEntry& e = listing.entry();
        if (e.attr == kAttrDirectory) {
            if (count == perLevel) {
                listing.FindClose();
                ThrowTooManyFolders(t);
            }
            t.Folder(level, count++) = e.name;
        } else {
            if (t.ListCount >= lastEntrySlot) {
                listing.FindClose();
                ThrowTooManyFiles(t);
            }
            Text& slot = t.CurrentList[static_cast<size_t>(t.ListCount)];
            slot.clear();
            // Room for the path, the name and the tail (at most 40 bytes), so the line is
            // built without growing.
            slot.reserve(t.DriveRoot.size() + t.FolderPath.size() + e.name.size() + 48);
            slot.append(t.DriveRoot).append(t.FolderPath).append("\\").append(e.name);
            AppendEntryTail(slot, e.size, e.time);
            ++t.ListCount;
        }
    } while (listing.FindNext());
    listing.FindClose();
    return count;
}

void WalkDrive() {
    WorkingTables& t = Tables();
    const int levels = t.capacities.folderLevels;
    t.ListCount = 0;
    t.FolderPath.clear();

    // counts[d] and next[d]: the folders stored at level d and the one in hand.
    int counts[kMaxLevels] = {};
    int next[kMaxLevels] = {};
    if (levels > kMaxLevels) throw Failure(Sjis("内部エラー：フォルダーの階層数が大きすぎます。"));
    counts[0] = ListOneFolder(0);
    bool rootHasProgramFiles = false;
    for (int n = 0; n < counts[0]; ++n) rootHasProgramFiles |= t.Folder(0, n) == kProgramFiles;
    if (!rootHasProgramFiles) {
        if (counts[0] == t.capacities.foldersPerLevel) {
            ThrowTooManyFolders(t);
        }
        t.Folder(0, counts[0]++) = kProgramFiles;
    }

    int depth = 0;  // the level whose folders are being walked
    while (depth >= 0) {
        if (next[depth] >= counts[depth]) {
            if (--depth >= 0) ++next[depth];
            continue;
        }
        const Text& name = t.Folder(depth, next[depth]);
        if (name == "." || name == "..") {
            ++next[depth];
            continue;
        }
        t.FolderPath.clear();
        for (int d = 0; d <= depth; ++d) t.FolderPath.append("\\").append(t.Folder(d, next[d]));
        int found = ListOneFolder(depth + 1);
        if (depth + 1 < levels - 1) {  // folders of the last level are listed, not walked
            ++depth;
            counts[depth] = found;
            next[depth] = 0;
        } else {
            ++next[depth];
        }
    }
    t.CurrentList[static_cast<size_t>(t.ListCount)] = kEndMarker;
}

}  // namespace kirafu
