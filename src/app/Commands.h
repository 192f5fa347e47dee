// The command sequences of the window's buttons, without the window.
//
// The window (TForm1) and the command line both run these, so each command is written once.
// A Failure thrown by any step ends the command at that step; the caller shows its message.
#pragma once

#include <string>

#include "app/WorkingTables.h"
#include "platform/Clock.h"
#include "platform/Controls.h"

namespace kirafu {

// The texts of the three report labels after a Start.
struct StartReport {
    Text label7;  // "前回更新時 " BaselineDate " " BaselineTime "から"
    Text label8;  // "今回調査時 " SurveyDate " " SurveyTime "まで"
    Text label9;  // "総ファイル数＝" ListCount
};

// What Start shows once the result tree is built and before the result log is written: the
// window resets its scroll bar, draws the screen and sets its labels; the command line prints.
class StartView {
  public:
    virtual ~StartView() = default;
    virtual void ShowResult(const StartReport& report) = 0;
};

// "変更のあったファイルはありません。"
const Text& NoChangeMessage();

// Start: survey DriveLetter's drive, ensure and read the baseline, compare, order and pair,
// build the result tree, store the no-change message when there is no line, show the result,
// write the result log. PastLogShown is 0 afterwards.
void RunStart(const Clock& clock, ProgressBar& bar, StartView& view);

// Update: survey DriveLetter's drive, ensure and read the baseline, then write the baseline
// from this survey. ListCount is left at the survey's entry count.
void RunUpdate(const Clock& clock);

}  // namespace kirafu
