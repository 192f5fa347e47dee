#include "cli/TerminalOutput.h"

#include <string>

#include "platform/NameCodec.h"
#include "present/MarkColor.h"

namespace kirafu::cli {
namespace {

const char* AnsiColor(uint32_t color) {
    switch (color) {
        case kRed:
            return "\x1b[31m";
        case kBlue:
            return "\x1b[34m";
        case kMaroon:
            return "\x1b[38;5;88m";
        case kGreen:
            return "\x1b[32m";
        default:
            return nullptr;
    }
}

}  // namespace

void PrintLine(std::FILE* out, std::string_view sjis, bool color) {
    std::string text = TextToUtf8(sjis);
    const char* ansi = color ? AnsiColor(MarkColor(sjis)) : nullptr;
    if (ansi) {
        std::fprintf(out, "%s%s\x1b[0m\n", ansi, text.c_str());
    } else {
        std::fwrite(text.data(), 1, text.size(), out);
        std::fputc('\n', out);
    }
}

void TerminalProgressBar::SetMax(int max) {
    max_ = max;
    Draw();
}

void TerminalProgressBar::SetPosition(int position) {
    if (position == 0 && shown_ >= 0) {
        position_ = 0;
        Clear();
        return;
    }
    position_ = position;
    Draw();
}

void TerminalProgressBar::Draw() {
    if (max_ <= 0) return;
    int percent = static_cast<int>(static_cast<long long>(position_) * 100 / max_);
    if (percent > 100) percent = 100;
    if (percent == shown_) return;
    shown_ = percent;
    constexpr int kWidth = 40;
    std::string bar(static_cast<size_t>(percent * kWidth / 100), '#');
    bar.resize(kWidth, '.');
    std::fprintf(out_, "\r比較中 [%s] %3d%%", bar.c_str(), percent);
    std::fflush(out_);
}

void TerminalProgressBar::Clear() {
    if (shown_ < 0) return;
    std::fprintf(out_, "\r%*s\r", 60, "");
    std::fflush(out_);
    shown_ = -1;
}

}  // namespace kirafu::cli
