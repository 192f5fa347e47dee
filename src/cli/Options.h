// Parsing the command line of kirafu-cli.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace kirafu::cli {

enum class ColorMode { kAuto, kAlways, kNever };

struct Options {
    std::string command;  // "drives", "update", "start", "show"; empty with --help/--version
    std::optional<std::string> argument;  // DRIVE or LOGFILE
    bool large = false;
    bool hideLost = false;
    bool help = false;
    bool version = false;
    ColorMode color = ColorMode::kAuto;
};

// Options may stand before or after the command word. On a usage error returns nothing and
// sets `error` (UTF-8).
std::optional<Options> ParseOptions(const std::vector<std::string>& args, std::string& error);

// The usage text (UTF-8).
const char* UsageText();

}  // namespace kirafu::cli
