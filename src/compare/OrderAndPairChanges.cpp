#include "compare/OrderAndPairChanges.h"

#include <algorithm>
#include <string>
#include <string_view>

#include "app/WorkingTables.h"

namespace kirafu {
namespace {

// std::string orders through char_traits<char>, which compares bytes as unsigned char, and puts
// a prefix before the longer text: the order of the result.
static_assert(std::char_traits<char>::lt('\x7F', '\x80'));
static_assert(std::char_traits<char>::compare("\x81", "z", 1) > 0);

// Whether the later neighbour L belongs to the same file as the earlier one E: L must have E's
// bytes up to E's first full stop and from there on up to the first blank after it, the full
// stop's own position excepted. E without a full stop followed by a blank has no such key and
// pairs with nothing. Neither text is read past its end.
bool SameFile(std::string_view e, std::string_view l) {
    const size_t stop = e.find('.');
    if (stop == std::string_view::npos) return false;
    const size_t blank = e.find(' ', stop + 1);
    if (blank == std::string_view::npos) return false;
    if (l.size() < blank) return false;
    return e.substr(0, stop) == l.substr(0, stop) &&
           e.substr(stop + 1, blank - stop - 1) == l.substr(stop + 1, blank - stop - 1);
}

}  // namespace

void OrderAndPairChanges() {
    WorkingTables& t = Tables();
    TextTable& results = t.ResultList;
    const auto first = results.begin();
    std::stable_sort(first, first + t.ResultCount);

    // Each step sees the earlier entry as the step before has just marked it.
    for (int32_t k = 0; k + 1 < t.ResultCount; ++k) {
        Text& earlier = results[k];
        Text& later = results[k + 1];
        if (!SameFile(earlier, later)) continue;
        if (earlier.back() == '+') {
            earlier.back() = '*';
            later.back() = '!';
        } else {
            later.back() = '*';
            earlier.back() = '!';
        }
    }
}

}  // namespace kirafu
