#include "app/Commands.h"

#include "compare/ClassifyChanges.h"
#include "compare/OrderAndPairChanges.h"
#include "platform/NameCodec.h"
#include "present/ResultLog.h"
#include "present/ResultTree.h"
#include "survey/BaselineFile.h"
#include "survey/FolderWalker.h"

namespace kirafu {

const Text& NoChangeMessage() {
    static const Text message = Sjis("変更のあったファイルはありません。");
    return message;
}

void RunStart(const Clock& clock, ProgressBar& bar, StartView& view) {
    WorkingTables& t = Tables();
    StartSurvey(clock);
    EnsureAndReadBaseline();
    ClassifyChanges(bar);
    OrderAndPairChanges();
    BuildResultTree();
    if (t.ListCount == 0) t.DisplayLines[0] = NoChangeMessage();

    StartReport report;
    report.label9 = Sjis("総ファイル数＝") + std::to_string(t.ListCount);
    report.label7 = Sjis("前回更新時 ") + t.BaselineDate + " " + t.BaselineTime + Sjis("から");
    report.label8 = Sjis("今回調査時 ") + t.SurveyDate + " " + t.SurveyTime + Sjis("まで");
    view.ShowResult(report);

    WriteResultLog();
    t.PastLogShown = 0;
}

void RunUpdate(const Clock& clock) {
    StartSurvey(clock);
    EnsureAndReadBaseline();
    WriteBaseline();
}

}  // namespace kirafu
