// Ordering and overwrite pairing.
//
// Call order (Start): directly after ClassifyChanges, before BuildResultTree.
// Sorts ResultList[0 .. ResultCount-1] by unsigned bytes (a prefix first; equal entries keep
// their order), then, for each neighbouring pair in turn, marks two entries of one file as "*"
// (new version) and "!" (old version lost by the overwrite): an earlier entry ending in "+"
// becomes "*" and the later "!", otherwise the later becomes "*" and the earlier "!". Two
// neighbours are of one file when the later has the earlier's bytes up to the first blank after
// its first full stop, the full stop's position excepted; an entry without a full stop followed
// by a blank pairs with nothing. Nothing from slot ResultCount on is read or written.
#pragma once

namespace kirafu {

void OrderAndPairChanges();

}  // namespace kirafu
