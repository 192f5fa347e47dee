#include "present/MarkColor.h"

namespace kirafu {

// The marks are single bytes below 0x40 and no trail byte of a Shift-JIS character is, so the
// last byte alone tells the mark.
uint32_t MarkColor(std::string_view line) {
    if (line.empty()) return kBlack;
    switch (line.back()) {
        case '-':
            return kRed;
        case '*':
            return kBlue;
        case '!':
            return kMaroon;
        case '>':
            return kGreen;
        default:
            return kBlack;
    }
}

bool IsHiddenLine(std::string_view line, bool hideLost) {
    return hideLost && line.ends_with('!');
}

}  // namespace kirafu
