#include "FixtureTree.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <random>
#include <stdexcept>

namespace kirafu::bench {
namespace {

constexpr int kMaxDepth = 9;
constexpr int kMaxSubFolders = 45;

const char* const kJapanese[] = {"写真", "資料",   "ソフト", "ドキュメント", "音楽",   "会議録",
                                 "設定", "表計算", "見積書", "ダウンロード", "予定表", "報告書"};
const char* const kAscii[] = {"data",   "report", "image", "src",
                              "backup", "notes",  "draft", "cache"};
const char* const kExt[] = {".txt", ".doc", ".jpg", ".xls", ".log", ".dat", ""};

std::string Name(std::mt19937& rng, int n) {
    std::string base = rng() % 3 == 0 ? kJapanese[rng() % std::size(kJapanese)]
                                      : kAscii[rng() % std::size(kAscii)];
    return base + "_" + std::to_string(n);
}

void MakeFile(const std::string& path, long long size, long long mtime) {
    int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (fd < 0 || ftruncate(fd, size) != 0) throw std::runtime_error("cannot write " + path);
    close(fd);
    struct timespec t[2] = {{static_cast<time_t>(mtime), 0}, {static_cast<time_t>(mtime), 0}};
    utimensat(AT_FDCWD, path.c_str(), t, 0);
}

}  // namespace

Fixture MakeFixture(int files, unsigned seed) {
    std::mt19937 rng(seed);
    Fixture f;
    struct Folder {
        std::string path;
        int depth;
        int children;
    };
    std::vector<Folder> folders{{"", 0, 0}};
    int folderCount = files / 20 + 1;
    for (int i = 0; i < folderCount; ++i) {
        // Prefer recent folders so the tree grows deep as well as wide.
        for (int tries = 0; tries < 50; ++tries) {
            size_t p = rng() % 2 ? rng() % folders.size()
                                 : folders.size() - 1 - rng() % std::min<size_t>(folders.size(), 8);
            Folder& parent = folders[p];
            if (parent.depth >= kMaxDepth || parent.children >= kMaxSubFolders) continue;
            ++parent.children;
            std::string path = (parent.path.empty() ? "" : parent.path + "/") + Name(rng, i);
            folders.push_back({path, parent.depth + 1, 0});
            f.folders.push_back(path);
            break;
        }
    }
    for (int i = 0; i < files; ++i) {
        const Folder& in = folders[rng() % folders.size()];
        std::string name = Name(rng, i) + kExt[rng() % std::size(kExt)];
        long long size = rng() % 4 == 0 ? static_cast<long long>(rng() % (64u << 20))
                                        : static_cast<long long>(rng() % 200000);
        long long mtime = 946684800 + static_cast<long long>(rng() % 800000000u);
        f.files.push_back({(in.path.empty() ? "" : in.path + "/") + name, size, mtime});
    }
    return f;
}

void WriteFixture(const std::string& root, const Fixture& fixture) {
    for (const auto& d : fixture.folders)
        if (mkdir((root + "/" + d).c_str(), 0755) != 0 && errno != EEXIST)
            throw std::runtime_error("cannot make " + d);
    for (const auto& file : fixture.files) MakeFile(root + "/" + file.path, file.size, file.mtime);
}

void ApplyChanges(const std::string& root, Fixture& fixture, const Changes& c, unsigned seed) {
    std::mt19937 rng(seed);
    auto& files = fixture.files;
    // Distinct files are overwritten: every overwrite gives two result entries.
    std::vector<size_t> order(files.size());
    for (size_t k = 0; k < order.size(); ++k) order[k] = k;
    std::shuffle(order.begin(), order.end(), rng);
    for (int i = 0; i < c.overwritten && static_cast<size_t>(i) < order.size(); ++i) {
        FixtureFile& f = files[order[static_cast<size_t>(i)]];
        f.size += 5000;
        f.mtime += 3600;
        MakeFile(root + "/" + f.path, f.size, f.mtime);
    }
    for (int i = 0; i < c.deleted && !files.empty(); ++i) {
        size_t k = rng() % files.size();
        unlink((root + "/" + files[k].path).c_str());
        files.erase(files.begin() + static_cast<long>(k));
    }
    for (int i = 0; i < c.added; ++i) {
        std::string folder;
        if (!c.addedInRoot && !fixture.folders.empty())
            folder = fixture.folders[rng() % fixture.folders.size()] + "/";
        FixtureFile f{folder + "added_" + std::to_string(i) + ".new",
                      static_cast<long long>(rng() % 100000), 1700000000};
        MakeFile(root + "/" + f.path, f.size, f.mtime);
        files.push_back(f);
    }
}

}  // namespace kirafu::bench
