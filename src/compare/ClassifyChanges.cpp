#include "compare/ClassifyChanges.h"

#include <algorithm>
#include <array>
#include <cassert>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "app/WorkingTables.h"
#include "platform/Error.h"
#include "platform/NameCodec.h"

// How the searches are made fast without changing what they find.
//
// Slot by slot, the windowed matching compares each current entry with up to 200 previous slots,
// and each left-over current entry walks PreviousList from position 0. What a search finds
// depends only on the texts, though: the first slot of its range that holds an equal text. So
// the searches go through hash tables of the previous texts and take the first equal slot in
// range from there, and the lists are left exactly as the slot-by-slot walk leaves them.

namespace kirafu {
namespace {

// The whole-slot value that takes the place of a matched entry in CurrentList and PreviousList.
// No entry line equals it: every entry line begins with a drive letter and a colon.
const Text kConsumedMarker = "-";

constexpr int32_t kNone = -1;
// A current entry at position k is first looked for at previous positions k - 100 to k + 99.
constexpr int32_t kWindowBack = 100;
constexpr int32_t kWindowAhead = 99;
// PreviousList is re-compacted after every 500 left-over current entries.
constexpr int32_t kRecompactionInterval = 500;

size_t HashOf(std::string_view text) {
    return std::hash<std::string_view>{}(text);
}

// to = from, in a buffer of from's size when to's is too small: the copies of the write-back then
// reuse the buffers they free instead of taking fresh memory (a plain assignment doubles).
void CopyText(Text& to, const Text& from) {
    if (to.capacity() >= from.size()) {
        to.assign(from);
    } else {
        to = Text(from);
    }
}

// The position of the list's end marker. Both lists always have one (the survey and the
// baseline reader place it); the scan stays inside the table all the same.
int32_t EndMarkerPosition(const TextTable& list) {
    const auto found = std::find(list.begin(), list.end(), kEndMarker);
    return static_cast<int32_t>(found - list.begin());
}

// Moves the list's entries other than consumed markers to the front, keeping their order, with
// the end marker directly behind them, in one pass. Returns the end marker's new position.
// Behind it are left consumed markers and old texts.
int32_t Compact(TextTable& list) {
    int32_t w = 0;
    while (list[w] != kConsumedMarker) {
        if (list[w] == kEndMarker) return w;
        ++w;
    }
    int32_t r = w + 1;
    while (list[r] == kConsumedMarker) ++r;
    if (list[r] == kEndMarker) {
        list[w] = kEndMarker;
        return w;
    }
    for (;;) {
        // Slots w to r - 1 all hold consumed markers, so the exchange moves slot r forward and
        // leaves a consumed marker in its place.
        list[w].swap(list[r]);
        if (list[w] == kEndMarker) return w;
        ++r;
        while (list[r] == kConsumedMarker) ++r;
        ++w;
    }
}

// The previous slots that the windows of the windowed matching cover, by the hash of their
// texts, for finding the first slot of a window that holds a given text.
//
// The first position of a window never decreases from one search to the next, through all three
// phases (0 in the head phase, then k - 100), and the positions from it to the furthest window
// end so far never number more than 200. So the table holds a sliding range of positions:
// positions enter once, when a window first reaches them, and leave once, when the windows have
// moved past them. Each hash bucket lists its positions in increasing order.
class WindowTable {
  public:
    explicit WindowTable(const TextTable& previous) : previous_(previous) {
        first_.fill(kNone);
        last_.fill(kNone);
    }

    // The first position from `from` to `to` whose slot equals text, or kNone. `from` is never
    // below that of an earlier call, and `to` lies before PreviousList's end marker.
    int32_t FindFirst(const Text& text, int32_t from, int32_t to) {
        while (begin_ < from && begin_ < end_) Remove(begin_++);
        if (begin_ < from) begin_ = end_ = from;
        while (end_ <= to) Add(end_++);
        assert(end_ - begin_ <= kRing);

        const size_t hash = HashOf(text);
        for (int32_t p = first_[hash % kBuckets]; p != kNone && p <= to; p = NodeOf(p).next) {
            if (NodeOf(p).hash == hash && previous_[p] == text) return p;
        }
        return kNone;
    }

  private:
    static constexpr int32_t kRing = 256;  // more than the 200 positions held at a time
    static constexpr size_t kBuckets = 512;
    struct Node {
        size_t hash;
        int32_t next;  // the next position in the same bucket
    };

    Node& NodeOf(int32_t p) { return nodes_[static_cast<size_t>(p % kRing)]; }

    void Add(int32_t p) {
        const size_t hash = HashOf(previous_[p]);
        NodeOf(p) = {hash, kNone};
        const size_t bucket = hash % kBuckets;
        if (last_[bucket] == kNone) {
            first_[bucket] = p;
        } else {
            NodeOf(last_[bucket]).next = p;
        }
        last_[bucket] = p;
    }

    // p is the lowest position held, so it heads its bucket.
    void Remove(int32_t p) {
        const size_t bucket = NodeOf(p).hash % kBuckets;
        first_[bucket] = NodeOf(p).next;
        if (first_[bucket] == kNone) last_[bucket] = kNone;
    }

    const TextTable& previous_;
    std::array<Node, kRing> nodes_{};
    std::array<int32_t, kBuckets> first_;
    std::array<int32_t, kBuckets> last_;
    int32_t begin_ = 0;  // positions begin_ to end_ - 1 are held
    int32_t end_ = 0;
};

// The one-by-one classification of the current entries left over from the windowed matching,
// against the previous entries left over, PreviousList[0 .. count-1] after its compaction.
//
// The walk from position 0 always finds the earliest left-over previous entry of the text, since
// compaction keeps the order of what is left, so each text keeps a queue of its entries, found
// through a hash table. PreviousList is not touched while the entries are searched; what the walk
// and its re-compactions would leave in it is worked out slot by slot: a re-compaction leaves
// every slot behind its new end marker as it was, and later ones never reach those slots again,
// so each re-compaction settles the slots from behind its new end marker up to the old one. The
// remaining slots are settled at the end, and WriteBack puts all of them in place.
class LeftoverMatcher {
  public:
    LeftoverMatcher(const TextTable& previous, int32_t count)
        : previous_(previous),
          nextSame_(static_cast<size_t>(count), kNone),
          state_(static_cast<size_t>(count), kLeft),
          before_(static_cast<size_t>(count)),
          settled_(static_cast<size_t>(count) + 1, kNone),
          count_(count),
          live_(count) {
        size_t slots = 2;
        while (slots < 2 * static_cast<size_t>(count)) slots *= 2;
        slots_.assign(slots, kNone);
        for (int32_t p = count - 1; p >= 0; --p) {
            int32_t& head = slots_[Probe(previous[p])];
            nextSame_[p] = head;
            head = p;
            before_[p] = p;
        }
    }

    // Consumes the earliest left-over entry equal to text; false when none is left. A text
    // whose entries are all consumed leaves its slot to the probes of other texts, and is not
    // found any more.
    bool Consume(const Text& text) {
        int32_t& head = slots_[Probe(text)];
        if (head == kNone) return false;
        const int32_t p = head;
        head = nextSame_[p] == kNone ? kUsedUp : nextSame_[p];
        state_[p] = kConsumed;
        consumedSinceRecompaction_.push_back(p);
        return true;
    }

    // A re-compaction: the entries consumed since the last one leave the list. The slots from
    // behind the new end marker up to the old one keep what they hold now: the entries of those
    // ranks (or consumed markers), then the old end marker.
    void Recompact() {
        const auto gone = static_cast<int32_t>(consumedSinceRecompaction_.size());
        if (gone == 0) return;
        const int32_t newLive = live_ - gone;
        settled_[live_] = kSettledEnd;
        int32_t p = EntryAtOrBefore(count_ - 1);
        for (int32_t rank = live_ - 1; rank > newLive; --rank) {
            settled_[rank] = state_[p] == kConsumed ? kSettledConsumed : p;
            p = EntryAtOrBefore(p - 1);
        }
        for (const int32_t q : consumedSinceRecompaction_) {
            state_[q] = kGone;
            before_[q] = q - 1;
        }
        consumedSinceRecompaction_.clear();
        live_ = newLive;
    }

    // Writes PreviousList slots 0 to count as the walk would have left them.
    void WriteBack(TextTable& previous) {
        int32_t rank = 0;
        for (int32_t p = 0; p < count_; ++p) {
            if (state_[p] != kGone)
                settled_[rank++] = state_[p] == kConsumed ? kSettledConsumed : p;
        }
        settled_[rank] = kSettledEnd;
        // A slot takes its text from its own position or a later one. Filled in increasing
        // order, every text is read before its own slot is overwritten, and the last slot that
        // takes a text can have it moved in instead of copied.
        std::vector<uint8_t>& taken = state_;  // from here on: whether a later slot takes the text
        std::fill(taken.begin(), taken.end(), 0);
        for (size_t slot = settled_.size(); slot-- > 0;) {
            const int32_t from = settled_[slot];
            if (from >= 0 && !taken[from]) {
                taken[from] = 1;
                settled_[slot] |= kLastTaker;
            }
        }
        for (size_t slot = 0; slot < settled_.size(); ++slot) {
            const int32_t value = settled_[slot];
            if (value == kSettledEnd) {
                previous[slot] = kEndMarker;
            } else if (value == kSettledConsumed) {
                previous[slot] = kConsumedMarker;
            } else if (const auto from = static_cast<size_t>(value & ~kLastTaker); from != slot) {
                if (value & kLastTaker) {
                    previous[slot].swap(previous[from]);  // slot `from` is filled later
                } else {
                    CopyText(previous[slot], previous[from]);
                }
            }
        }
    }

  private:
    // The state of an entry; consumed means since the last re-compaction.
    static constexpr uint8_t kLeft = 0;
    static constexpr uint8_t kConsumed = 1;
    static constexpr uint8_t kGone = 2;
    static constexpr int32_t kUsedUp = -4;  // a text whose entries are all consumed
    static constexpr int32_t kSettledConsumed = -2;
    static constexpr int32_t kSettledEnd = -3;
    // Marks in settled_ the last slot that takes an entry's text: the text can be moved there.
    static constexpr int32_t kLastTaker = 1 << 30;

    // The hash table slot that holds the earliest left-over entry of the text, or the empty slot
    // where it would go.
    size_t Probe(const Text& text) const {
        const size_t mask = slots_.size() - 1;
        for (size_t slot = HashOf(text) & mask;; slot = (slot + 1) & mask) {
            const int32_t head = slots_[slot];
            if (head == kNone || (head != kUsedUp && previous_[head] == text)) return slot;
        }
    }

    // The nearest entry at or before p that has not left the list (kNone: none), following the
    // links of the entries gone and shortening them as it goes.
    int32_t EntryAtOrBefore(int32_t p) {
        int32_t entry = p;
        while (entry != kNone && before_[entry] != entry) entry = before_[entry];
        while (p != entry) {
            const int32_t next = before_[p];
            before_[p] = entry;
            p = next;
        }
        return entry;
    }

    const TextTable& previous_;      // unchanged until WriteBack
    std::vector<int32_t> slots_;     // per text: its earliest left-over entry, kUsedUp or kNone
    std::vector<int32_t> nextSame_;  // the next left-over entry of the same text
    std::vector<uint8_t> state_;
    std::vector<int32_t> before_;  // itself, or for an entry gone a link towards the one before
    std::vector<int32_t> consumedSinceRecompaction_;
    std::vector<int32_t> settled_;  // per slot, what it ends up holding: an entry or a marker
    int32_t count_;
    int32_t live_;  // the end marker's position as of the last re-compaction
};

void AppendWithMark(Text& slot, const Text& entry, char mark) {
    slot.reserve(entry.size() + 1);
    slot.assign(entry);
    slot.push_back(mark);
}

}  // namespace

void ClassifyChanges(ProgressBar& bar) {
    WorkingTables& t = Tables();
    t.ResultCount = 0;
    const int32_t currentCount = t.ListCount;

    bar.SetMax(currentCount);
    t.PeriodHeader = t.BaselineDate + " " + t.BaselineTime + Sjis("から ") + t.SurveyDate + " " +
                     t.SurveyTime + Sjis("まで");

    // The windowed matching: the head, middle and tail phase. With fewer than 200 current entries
    // the tail phase takes positions the head phase took already, which changes nothing.
    const int32_t previousEnd = EndMarkerPosition(t.PreviousList);
    WindowTable window(t.PreviousList);
    auto search = [&](int32_t k, int32_t first, int32_t last) {
        // The window is cut short by the end marker, and is empty when it begins behind it. A
        // consumed marker could only meet consumed markers, which would change nothing.
        last = std::min(last, previousEnd - 1);
        Text& entry = t.CurrentList[k];
        if (first <= last && entry != kConsumedMarker) {
            const int32_t p = window.FindFirst(entry, first, last);
            if (p != kNone) {
                t.PreviousList[p] = kConsumedMarker;
                entry = kConsumedMarker;
            }
        }
        bar.SetPosition(k);
    };
    for (int32_t k = 0; k < std::min(kWindowBack, currentCount); ++k) {
        search(k, 0, k + kWindowAhead);
    }
    for (int32_t k = kWindowBack; k <= currentCount - kWindowBack - 1; ++k) {
        search(k, k - kWindowBack, k + kWindowAhead);
    }
    for (int32_t k = std::max(0, currentCount - kWindowBack); k < currentCount; ++k) {
        search(k, std::max(0, k - kWindowBack), currentCount - 1);
    }

    // The matched entries leave both lists; ListCount becomes the number of previous left-overs.
    const int32_t leftoverCount = Compact(t.CurrentList);
    t.ListCount = Compact(t.PreviousList);
    bar.SetMax(t.ListCount);

    // Every left-over current entry is searched among the left-over previous ones.
    std::vector<int32_t> added;  // CurrentList positions of the entries not found
    if (leftoverCount > 0) {
        LeftoverMatcher matcher(t.PreviousList, t.ListCount);
        int32_t sinceRecompaction = 0;
        for (int32_t c = 0; c < leftoverCount; ++c) {
            if (!matcher.Consume(t.CurrentList[c])) added.push_back(c);
            bar.SetPosition(c + 1);
            if (++sinceRecompaction == kRecompactionInterval) {
                sinceRecompaction = 0;
                matcher.Recompact();
            }
        }
        matcher.WriteBack(t.PreviousList);
    }

    // The previous entries still left are the deleted ones. The changes are counted before
    // anything is written, so that a result too large for ResultList is refused whole.
    int64_t deleted = 0;
    for (int32_t p = 0; t.PreviousList[p] != kEndMarker; ++p) {
        if (t.PreviousList[p] != kConsumedMarker) ++deleted;
    }
    const int64_t changes = static_cast<int64_t>(added.size()) + deleted;
    const int32_t limit = t.capacities.resultSlots;
    if (changes > limit) {
        bar.SetPosition(0);
        throw Failure(Sjis("変更のあったファイルが多すぎます（") + std::to_string(changes) +
                      Sjis(" 件、上限 ") + std::to_string(limit) + Sjis(" 件）。"));
    }
    for (const int32_t c : added) {
        AppendWithMark(t.ResultList[t.ResultCount++], t.CurrentList[c], '+');
    }
    for (int32_t p = 0; t.PreviousList[p] != kEndMarker; ++p) {
        const Text& slot = t.PreviousList[p];
        if (slot != kConsumedMarker) AppendWithMark(t.ResultList[t.ResultCount++], slot, '-');
    }
    bar.SetPosition(0);
}

}  // namespace kirafu
