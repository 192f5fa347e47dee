// Ordering and overwrite pairing.
//
// Call order (Start): directly after ClassifyChanges, before BuildResultTree.
// Sorts ResultList[0 .. ResultCount-1] by unsigned bytes (a prefix first; equal entries keep
// their order), then marks each neighbouring pair of one file as "*" (new version) and "!"
// (old version lost by the overwrite).
#pragma once

namespace kirafu {

void OrderAndPairChanges();

}  // namespace kirafu
