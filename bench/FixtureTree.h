// A deterministic drive for the benchmarks: sparse files spread over up to nine folder levels,
// at most 45 sub-folders in a folder, about a third of the names Japanese. The same seed and
// count give the same tree, names, sizes and times on every machine.
#pragma once

#include <string>
#include <vector>

namespace kirafu::bench {

struct FixtureFile {
    std::string path;  // relative, "/"-separated, UTF-8
    long long size;
    long long mtime;
};

struct Fixture {
    std::vector<std::string> folders;  // relative, parents before children
    std::vector<FixtureFile> files;
};

Fixture MakeFixture(int files, unsigned seed = 1);
// Creates the fixture's folders and files below root (which must exist).
void WriteFixture(const std::string& root, const Fixture& fixture);

struct Changes {
    int added = 0, deleted = 0, overwritten = 0;
    bool addedInRoot = false;  // put the added files in the root, the first folder walked
};
// Applies the changes to the tree below root (deterministically) and to fixture.
void ApplyChanges(const std::string& root, Fixture& fixture, const Changes& changes,
                  unsigned seed = 2);

}  // namespace kirafu::bench
