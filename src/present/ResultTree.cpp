#include "present/ResultTree.h"

#include <algorithm>
#include <string>

#include "app/WorkingTables.h"
#include "platform/Error.h"
#include "platform/NameCodec.h"

namespace kirafu {
namespace {

// The tree glyphs as Shift-JIS bytes.
constexpr std::string_view kContinuation = "\x84\xA0\x81\x40\x81\x40";  // "│　　"
constexpr std::string_view kBranch = "\x84\xA5\x84\x9F";                // "├─"
// Box-drawing characters share the lead byte 0x84; their trail bytes:
constexpr unsigned char kBoxLead = 0x84;
constexpr unsigned char kVertical = 0xA0;  // "│"
constexpr unsigned char kTee = 0xA5;       // "├"
constexpr unsigned char kCorner = 0xA4;    // "└"
// The ideographic space "　" that replaces a cut vertical line.
constexpr unsigned char kBlankLead = 0x81;
constexpr unsigned char kBlankTrail = 0x40;

constexpr std::string_view kDriveLabel = "<Drive>";
constexpr std::string_view kFolderLabel = "<Folder>";

// The path-part count of the entry in hand.
int32_t gPartCount = 0;
// Lines the tree needed beyond its limit in the current build: counted, never written.
int64_t gUnwrittenLines = 0;

unsigned char Byte(std::string_view s, size_t i) {
    return static_cast<unsigned char>(s[i]);
}

// The number of bytes of the character at i: a lead byte takes the byte after it.
size_t CharLength(std::string_view s, size_t i) {
    return IsLeadByte(Byte(s, i)) && i + 1 < s.size() ? 2 : 1;
}

// The tree leaves one DisplayLines slot free for the result log's closing line.
int32_t TreeLineLimit(const WorkingTables& t) {
    return std::max(0, t.capacities.displaySlots - 1);
}

// The slot for the next display line, cleared, with ListCount raised; nullptr (and the line
// only counted) once the tree has reached its limit.
std::string* NextLine(WorkingTables& t) {
    if (t.ListCount >= TreeLineLimit(t)) {
        ++gUnwrittenLines;
        return nullptr;
    }
    std::string& line = t.DisplayLines[static_cast<size_t>(t.ListCount++)];
    line.clear();
    return &line;
}

// Whether the two bytes at offset i of line are "│", "├" or "└".
bool HasBranchAt(std::string_view line, size_t i) {
    if (i + 1 >= line.size() || Byte(line, i) != kBoxLead) return false;
    unsigned char trail = Byte(line, i + 1);
    return trail == kVertical || trail == kTee || trail == kCorner;
}

// A repair scan ends at the end of the text, at a CR, or at the character before an LF.
bool ScanGoesOn(std::string_view line, size_t i) {
    return i < line.size() && line[i] != '\r' && !(i + 1 < line.size() && line[i + 1] == '\n');
}

void Blank(std::string& line, size_t i) {
    line[i] = static_cast<char>(kBlankLead);
    line[i + 1] = static_cast<char>(kBlankTrail);
}

// The last line: every vertical line goes, its first tee becomes a corner.
void RepairLastLine(std::string& line) {
    for (size_t i = 0; ScanGoesOn(line, i); i += CharLength(line, i)) {
        if (Byte(line, i) != kBoxLead || i + 1 >= line.size()) continue;
        unsigned char trail = Byte(line, i + 1);
        if (trail == kCorner) return;
        if (trail == kVertical) {
            Blank(line, i);
        } else if (trail == kTee) {
            line[i + 1] = static_cast<char>(kCorner);
            return;
        }
    }
}

// Any other line, against the (already repaired) line below it.
void RepairLine(std::string& line, std::string_view below) {
    for (size_t i = 0; ScanGoesOn(line, i); i += CharLength(line, i)) {
        if (Byte(line, i) != kBoxLead || i + 1 >= line.size()) continue;
        unsigned char trail = Byte(line, i + 1);
        if (trail == kCorner) return;
        if (trail == kVertical) {
            if (!HasBranchAt(below, i)) Blank(line, i);
        } else if (trail == kTee) {
            if (!HasBranchAt(below, i)) {
                line[i + 1] = static_cast<char>(kCorner);
                return;
            }
        }
    }
}

}  // namespace

void SplitEntry(std::string_view entry) {
    WorkingTables& t = Tables();
    // Separators fill the slots 0 .. kPathPartSlots-2; the last slot is the leaf's.
    constexpr int32_t kMaxSeparators = kPathPartSlots - 1;
    int32_t count = 0;
    size_t partStart = 0;
    size_t i = 0;
    while (i < entry.size()) {
        char c = entry[i];
        if (c == '\\' && count < kMaxSeparators) {
            t.PathParts[static_cast<size_t>(count)].assign(entry.substr(partStart, i - partStart));
            t.LinePieces[static_cast<size_t>(count)].assign(kContinuation);
            ++count;
            partStart = ++i;
            continue;
        }
        // The first "/" of the date YYYY/MM/DD ends the path.
        if (c == '/' && i + 3 < entry.size() && entry[i + 3] == '/') break;
        i += CharLength(entry, i);
    }
    if (count == 0) {  // no drive part at all: give it an empty one
        t.PathParts[0].clear();
        count = 1;
    }
    // The current part and everything from the stop on form the leaf text; since separators
    // are the only bytes left out of a part, that is the entry from the part's start.
    t.PathParts[static_cast<size_t>(count)].clear();
    t.LinePieces[static_cast<size_t>(count - 1)].assign(kBranch);
    t.LinePieces[static_cast<size_t>(count)].assign(entry.substr(partStart));
    gPartCount = count + 1;
}

int32_t PartCount() {
    return gPartCount;
}

void AddFolderHeadings() {
    WorkingTables& t = Tables();
    for (int32_t k = 0; k <= gPartCount - 2; ++k) {
        auto slot = static_cast<size_t>(k);
        if (t.PathParts[slot] == t.HeadedParts[slot]) {
            t.PathParts[slot].assign(kContinuation);
            continue;
        }
        t.HeadedParts[slot] = t.PathParts[slot];
        // A heading here makes every deeper level of this entry differ too.
        t.HeadedParts[slot + 1].clear();
        if (k >= 1) t.PathParts[slot - 1].assign(kBranch);
        std::string_view label = t.ListCount == 0 ? kDriveLabel : kFolderLabel;
        if (std::string* line = NextLine(t)) {
            for (size_t j = 0; j <= slot; ++j) *line += t.PathParts[j];
            *line += label;
        }
        t.PathParts[slot].assign(kContinuation);
        if (k >= 1) t.PathParts[slot - 1].assign(kContinuation);
    }
}

void RepairBranches() {
    WorkingTables& t = Tables();
    if (t.ListCount < 2) return;  // line 0 is never changed
    auto last = static_cast<size_t>(t.ListCount - 1);
    RepairLastLine(t.DisplayLines[last]);
    for (size_t m = last - 1; m >= 1; --m) RepairLine(t.DisplayLines[m], t.DisplayLines[m + 1]);
}

void BuildResultTree() {
    WorkingTables& t = Tables();
    t.ListCount = 0;
    gUnwrittenLines = 0;
    for (int32_t p = 0; p < t.ResultCount; ++p) {
        SplitEntry(t.ResultList[static_cast<size_t>(p)]);
        AddFolderHeadings();
        if (std::string* line = NextLine(t)) {
            for (int32_t j = 0; j < gPartCount; ++j) *line += t.LinePieces[static_cast<size_t>(j)];
        }
    }
    if (gUnwrittenLines > 0) {
        int64_t needed = t.ListCount + gUnwrittenLines;
        t.ListCount = 0;  // no half-built tree is left to show
        throw Failure(Sjis("変更の表示には ") + std::to_string(needed) +
                      Sjis(" 行が必要ですが、表示できるのは ") + std::to_string(TreeLineLimit(t)) +
                      Sjis(" 行までです。"));
    }
    RepairBranches();
}

}  // namespace kirafu
