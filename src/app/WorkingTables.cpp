#include "app/WorkingTables.h"

#include <memory>

namespace kirafu {
namespace {
std::unique_ptr<WorkingTables> gTables;
}

WorkingTables::WorkingTables(const Capacities& caps)
    : capacities(caps),
      FolderTable(static_cast<size_t>(caps.folderLevels * caps.foldersPerLevel)),
      CurrentList(static_cast<size_t>(caps.listSlots)),
      PreviousList(static_cast<size_t>(caps.listSlots)),
      ResultList(static_cast<size_t>(caps.resultSlots)),
      DisplayLines(static_cast<size_t>(caps.displaySlots)),
      PathParts(kPathPartSlots),
      LinePieces(kPathPartSlots),
      HeadedParts(kPathPartSlots) {}

void CreateWorkingTables(const Capacities& capacities) {
    gTables.reset();
    gTables = std::make_unique<WorkingTables>(capacities);
}

void ReleaseWorkingTables() {
    gTables.reset();
}

WorkingTables& Tables() {
    return *gTables;
}

}  // namespace kirafu
