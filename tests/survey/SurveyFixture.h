// A drive in a temporary folder with fresh working tables, and a survey of it.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/WorkingTables.h"
#include "mock/TempDrive.h"
#include "survey/FolderWalker.h"

namespace kirafu::test {

class SurveyTest : public testing::Test {
  protected:
    explicit SurveyTest(Capacities caps = Capacities::Standard()) {
        CreateWorkingTables(caps);
        Tables().DriveLetter = "T";
    }
    ~SurveyTest() override { ReleaseWorkingTables(); }

    // Surveys the drive and returns the entry lines, end marker left out.
    std::vector<std::string> Survey() {
        StartSurvey(clock);
        const WorkingTables& t = Tables();
        EXPECT_EQ(t.CurrentList[static_cast<size_t>(t.ListCount)], "*");
        return {t.CurrentList.begin(), t.CurrentList.begin() + t.ListCount};
    }

    TempDrive drive;
    MockClock clock{{2003, 1, 5, 9, 5, 8}};
};

}  // namespace kirafu::test
