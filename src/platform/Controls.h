// Abstract controls: what the program's operations need of the window's widgets, so that the
// same operations drive the window, the command line and the tests.
#pragma once

namespace kirafu {

// A progress bar whose minimum is 0. Nothing is read back from it. Values are never negative;
// with the standard tables they stay within 30000, with larger tables they may go further.
class ProgressBar {
  public:
    virtual ~ProgressBar() = default;
    virtual void SetMax(int max) = 0;
    virtual void SetPosition(int position) = 0;
};

// A progress bar that shows nothing.
class NoProgressBar final : public ProgressBar {
  public:
    void SetMax(int) override {}
    void SetPosition(int) override {}
};

}  // namespace kirafu
