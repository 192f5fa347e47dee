// Shared fixtures of the presentation tests: the six-entry comparison result, the tree it lays
// out (before and after the branch repair), its result log, and small helpers over the tables.
#pragma once

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "app/WorkingTables.h"
#include "mock/RowName.h"

namespace kirafu::test {

// ResultList of the example, sorted and paired: an added root file, a folder with a sub-folder,
// an overwritten file, and a file three folders deep.
extern const std::vector<std::string_view> kExampleEntries;
// Its twelve display lines (UTF-8) as the tree steps emit them, and after RepairBranches.
extern const std::vector<std::string_view> kExampleTreeBefore;
extern const std::vector<std::string_view> kExampleTreeAfter;
// The period header of the example (UTF-8).
extern const std::string_view kExampleHeader;
// The exact bytes of the example's log file C:\Kirafu\KF99013090507.log.
std::string ExampleLogBytes();

// Each UTF-8 text as Shift-JIS.
std::vector<std::string> SjisAll(const std::vector<std::string_view>& utf8);
std::vector<std::string> SjisAll(const std::vector<std::string>& utf8);
// ResultList[0 .. n-1] and ResultCount from UTF-8 entries.
void SetResultList(const std::vector<std::string>& utf8Entries);
// Clears HeadedParts[0] as a survey does, then builds the tree.
void BuildAfterSurvey(const std::vector<std::string>& utf8Entries);
// DisplayLines[0 .. ListCount-1].
std::vector<std::string> ShownLines();
// Compares Shift-JIS lines byte for byte with UTF-8 expectations; failures show UTF-8.
void ExpectLines(const std::vector<std::string>& actual, const std::vector<std::string>& utf8);
void ExpectLines(const std::vector<std::string>& actual, const std::vector<std::string_view>& utf8);

// Fresh standard tables with drive C: for every test.
class TablesTest : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;
};

// Small capacities with the given DisplayLines size (the other sets stay standard).
Capacities WithDisplaySlots(int32_t displaySlots);

}  // namespace kirafu::test
