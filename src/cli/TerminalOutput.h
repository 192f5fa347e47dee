// How the command line shows things: display lines in the colour of their marks, and a
// progress bar on standard error.
#pragma once

#include <cstdio>
#include <string_view>

#include "platform/Controls.h"

namespace kirafu::cli {

// Writes one Shift-JIS text as a UTF-8 line, coloured by its mark when `color` is set.
void PrintLine(std::FILE* out, std::string_view sjis, bool color);

// A one-line progress bar on a terminal; it draws only when the shown percentage changes and
// clears itself when the position returns to 0 after having moved.
class TerminalProgressBar final : public ProgressBar {
  public:
    explicit TerminalProgressBar(std::FILE* out) : out_(out) {}
    ~TerminalProgressBar() override { Clear(); }
    void SetMax(int max) override;
    void SetPosition(int position) override;

  private:
    void Draw();
    void Clear();

    std::FILE* out_;
    int max_ = 0;
    int position_ = 0;
    int shown_ = -1;  // the percentage on screen, -1 when nothing is shown
};

}  // namespace kirafu::cli
