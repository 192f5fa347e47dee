#include "platform/DriveTable.h"

#include <cctype>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <sstream>

#include "platform/NameCodec.h"

namespace kirafu {
namespace {

std::string NormalizeRoot(std::string root) {
    while (root.size() > 1 && root.back() == '/') root.pop_back();
    return root;
}

// /proc/self/mounts writes blanks, tabs, newlines and backslashes in paths as octal escapes.
std::string UnescapeMountPath(std::string_view s) {
    std::string out;
    for (size_t i = 0; i < s.size(); ++i) {
        if (s[i] == '\\' && i + 3 < s.size() &&
            std::isdigit(static_cast<unsigned char>(s[i + 1])) &&
            std::isdigit(static_cast<unsigned char>(s[i + 2])) &&
            std::isdigit(static_cast<unsigned char>(s[i + 3]))) {
            out +=
                static_cast<char>((s[i + 1] - '0') * 64 + (s[i + 2] - '0') * 8 + (s[i + 3] - '0'));
            i += 3;
        } else {
            out += s[i];
        }
    }
    return out;
}

bool IsPseudoFilesystem(std::string_view device, std::string_view type) {
    static constexpr std::string_view kPseudo[] = {
        "proc",    "sysfs",      "tmpfs",  "devtmpfs", "devpts",      "cgroup",   "cgroup2",
        "overlay", "securityfs", "pstore", "debugfs",  "tracefs",     "configfs", "fusectl",
        "mqueue",  "hugetlbfs",  "bpf",    "autofs",   "binfmt_misc", "efivarfs", "ramfs",
        "nsfs",    "rpc_pipefs", "nfsd",   "squashfs", "fuse.lxcfs",  "devfs",    "selinuxfs"};
    for (auto p : kPseudo)
        if (type == p) return true;
    // Device-backed means the source is a device node.
    return device.substr(0, 5) != "/dev/";
}

}  // namespace

DriveTable DriveTable::FromSetting(std::string_view setting) {
    DriveTable table;
    size_t start = 0;
    while (start <= setting.size()) {
        size_t end = setting.find(';', start);
        if (end == std::string_view::npos) end = setting.size();
        std::string_view item = setting.substr(start, end - start);
        if (item.size() >= 3 && item[1] == '=' &&
            std::isalpha(static_cast<unsigned char>(item[0])) && item[2] == '/') {
            char letter = static_cast<char>(std::toupper(static_cast<unsigned char>(item[0])));
            if (!table.RootOf(letter))
                table.drives_.push_back({letter, NormalizeRoot(std::string(item.substr(2)))});
        }
        start = end + 1;
    }
    return table;
}

DriveTable DriveTable::FromMounts(std::string_view mounts) {
    DriveTable table;
    table.drives_.push_back({'C', "/"});
    char next = 'D';
    std::istringstream in{std::string(mounts)};
    std::string line;
    while (std::getline(in, line) && next <= 'Z') {
        std::istringstream fields(line);
        std::string device, mountPoint, type;
        if (!(fields >> device >> mountPoint >> type)) continue;
        if (IsPseudoFilesystem(device, type)) continue;
        std::string root = NormalizeRoot(UnescapeMountPath(mountPoint));
        if (root.empty() || root[0] != '/') continue;
        bool known = false;
        for (const auto& d : table.drives_) known = known || d.root == root;
        if (known) continue;
        table.drives_.push_back({next++, root});
    }
    return table;
}

DriveTable DriveTable::FromEnvironment() {
    if (const char* setting = std::getenv("KIRAFU_DRIVES")) return FromSetting(setting);
    std::ifstream f("/proc/self/mounts");
    std::stringstream text;
    text << f.rdbuf();
    return FromMounts(text.str());
}

std::optional<std::string> DriveTable::RootOf(char letter) const {
    char up = static_cast<char>(std::toupper(static_cast<unsigned char>(letter)));
    for (const auto& d : drives_)
        if (d.letter == up) return d.root;
    return std::nullopt;
}

std::optional<std::string> DriveTable::ToHostPath(std::string_view drivePath) const {
    if (drivePath.size() < 2 || drivePath[1] != ':') return std::nullopt;
    auto root = RootOf(drivePath[0]);
    if (!root) return std::nullopt;
    std::string host = *root;
    // Split the rest at "\" between characters.
    std::string_view rest = drivePath.substr(2);
    size_t i = 0, partStart = 0;
    bool escapes = false;
    auto addPart = [&](std::string_view part) {
        if (part.empty() || part == ".") return;
        if (part == "..") escapes = true;
        if (host.back() != '/') host += '/';
        host += TextToHostName(part);
    };
    while (i < rest.size()) {
        auto c = static_cast<unsigned char>(rest[i]);
        if (c == '\\') {
            addPart(rest.substr(partStart, i - partStart));
            partStart = ++i;
        } else {
            i += (IsLeadByte(c) && i + 1 < rest.size()) ? 2 : 1;
        }
    }
    addPart(rest.substr(partStart));
    if (escapes) return std::nullopt;  // ".." could leave the drive
    return host;
}

std::optional<std::string> DriveTable::ToDrivePath(std::string_view hostPath) const {
    const Drive* best = nullptr;
    for (const auto& d : drives_) {
        bool inside = d.root == "/"
                          ? (!hostPath.empty() && hostPath[0] == '/')
                          : (hostPath.substr(0, d.root.size()) == d.root &&
                             (hostPath.size() == d.root.size() || hostPath[d.root.size()] == '/'));
        if (inside && (!best || d.root.size() > best->root.size())) best = &d;
    }
    if (!best) return std::nullopt;
    std::string out{best->letter, ':'};
    std::string_view rest = hostPath.substr(best->root == "/" ? 0 : best->root.size());
    size_t i = 0;
    while (i < rest.size()) {
        while (i < rest.size() && rest[i] == '/') ++i;
        size_t j = rest.find('/', i);
        if (j == std::string_view::npos) j = rest.size();
        if (j > i) {
            out += '\\';
            AppendHostNameAsText(out, rest.substr(i, j - i));
        }
        i = j;
    }
    return out;
}

namespace {
std::unique_ptr<DriveTable>& DriveSlot() {
    static std::unique_ptr<DriveTable> table;
    return table;
}
}  // namespace

const DriveTable& Drives() {
    auto& slot = DriveSlot();
    if (!slot) slot = std::make_unique<DriveTable>(DriveTable::FromEnvironment());
    return *slot;
}

void SetDrives(DriveTable table) {
    DriveSlot() = std::make_unique<DriveTable>(std::move(table));
}

}  // namespace kirafu
