// The working tables: everything the program knows while it runs.
//
// One set exists per process, created before anything else (CreateWorkingTables) and released
// after everything else (ReleaseWorkingTables). Every operation reads and overwrites them in
// place; no table grows, and no command clears one: a command writes from slot 0 and marks
// where it ended (the end marker "*" or a count).
//
// All texts are Shift-JIS byte strings. Capacities come from one named set, so a larger set
// can be chosen for very large drives; the window uses the standard one.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace kirafu {

using Text = std::string;
using TextTable = std::vector<Text>;

struct Capacities {
    int32_t listSlots;        // CurrentList and PreviousList, the end marker included
    int32_t resultSlots;      // ResultList
    int32_t displaySlots;     // DisplayLines
    int32_t foldersPerLevel;  // one listing's folder names in FolderTable
    int32_t folderLevels;     // listing levels: the root and nine below it

    static Capacities Standard() { return {30000, 20000, 10000, 50, 10}; }
    static Capacities Large() { return {1000001, 1000000, 1000001, 5000, 10}; }
};

// The end marker: a line whose whole text is "*".
inline const Text kEndMarker = "*";
// The number of slots of each result-tree path table: drive, nine folders, leaf.
constexpr int32_t kPathPartSlots = 11;

struct WorkingTables {
    explicit WorkingTables(const Capacities& capacities);

    Capacities capacities;

    TextTable FolderTable;   // folderLevels x foldersPerLevel
    TextTable CurrentList;   // the survey in hand
    TextTable PreviousList;  // the baseline as read
    TextTable ResultList;    // changed entries with their change marks
    TextTable DisplayLines;  // the result as shown, printed and logged
    TextTable PathParts;     // result tree work tables
    TextTable LinePieces;
    TextTable HeadedParts;

    Text DriveLetter;
    Text DriveRoot;
    Text FolderPath;
    Text SurveyDate;
    Text SurveyTime;
    Text BaselineDate;
    Text BaselineTime;
    Text PeriodHeader;

    int32_t ListCount = 0;
    int32_t ResultCount = 0;
    int32_t PastLogShown = 0;

    // The FolderTable slot of position n at level L.
    Text& Folder(int32_t level, int32_t n) {
        return FolderTable[static_cast<size_t>(level * capacities.foldersPerLevel + n)];
    }
};

// Creates the process-wide tables (replacing any earlier set: tests start afresh this way).
void CreateWorkingTables(const Capacities& capacities = Capacities::Standard());
void ReleaseWorkingTables();
// The process-wide tables; they must have been created.
WorkingTables& Tables();

}  // namespace kirafu
