// The colour of a display line by its last byte, the change mark, and the hidden-line rule.
#pragma once

#include <cstdint>
#include <string_view>

namespace kirafu {

// Colours as 0x00BBGGRR.
constexpr uint32_t kBlack = 0x00000000;
constexpr uint32_t kRed = 0x000000FF;
constexpr uint32_t kBlue = 0x00FF0000;
constexpr uint32_t kMaroon = 0x00000080;
constexpr uint32_t kGreen = 0x00008000;

// "-" red, "*" blue, "!" maroon, ">" green, anything else (or an empty line) black.
uint32_t MarkColor(std::string_view line);
// A line marked "!" is hidden while lost files are to be hidden.
bool IsHiddenLine(std::string_view line, bool hideLost);

}  // namespace kirafu
