#include "present/Examples.h"

#include "platform/NameCodec.h"
#include "present/ResultTree.h"

namespace kirafu::test {

const std::vector<std::string_view> kExampleEntries = {
    "C:\\AUTOEXEC.BAT . . . . . 1 KB 1999/01/30 9:15:02+",
    "C:\\DATA\\old\\a.txt . . . . . 3 KB 1999/01/20 18:02:44-",
    "C:\\DATA\\old\\b.txt . . . . 15 KB 1999/01/28 10:30:00+",
    "C:\\DATA\\report.doc . . . 118 KB 1999/01/12 16:45:10!",
    "C:\\DATA\\report.doc . . . 120 KB 1999/01/30 11:20:36*",
    "C:\\TEMP\\x\\y\\z.tmp . . . . . 2 KB 1999/01/30 12:00:08+",
};

const std::vector<std::string_view> kExampleTreeBefore = {
    "C:<Drive>",
    "├─AUTOEXEC.BAT . . . . . 1 KB 1999/01/30 9:15:02+",
    "├─DATA<Folder>",
    "│　　├─old<Folder>",
    "│　　│　　├─a.txt . . . . . 3 KB 1999/01/20 18:02:44-",
    "│　　│　　├─b.txt . . . . 15 KB 1999/01/28 10:30:00+",
    "│　　├─report.doc . . . 118 KB 1999/01/12 16:45:10!",
    "│　　├─report.doc . . . 120 KB 1999/01/30 11:20:36*",
    "├─TEMP<Folder>",
    "│　　├─x<Folder>",
    "│　　│　　├─y<Folder>",
    "│　　│　　│　　├─z.tmp . . . . . 2 KB 1999/01/30 12:00:08+",
};

const std::vector<std::string_view> kExampleTreeAfter = {
    "C:<Drive>",
    "├─AUTOEXEC.BAT . . . . . 1 KB 1999/01/30 9:15:02+",
    "├─DATA<Folder>",
    "│　　├─old<Folder>",
    "│　　│　　├─a.txt . . . . . 3 KB 1999/01/20 18:02:44-",
    "│　　│　　└─b.txt . . . . 15 KB 1999/01/28 10:30:00+",
    "│　　├─report.doc . . . 118 KB 1999/01/12 16:45:10!",
    "│　　└─report.doc . . . 120 KB 1999/01/30 11:20:36*",
    "└─TEMP<Folder>",
    "　　　└─x<Folder>",
    "　　　　　　└─y<Folder>",
    "　　　　　　　　　└─z.tmp . . . . . 2 KB 1999/01/30 12:00:08+",
};

const std::string_view kExampleHeader = "99/01/23 10:15:30から 99/01/30 9:05:07まで";

std::string ExampleLogBytes() {
    // The fifteen lines of the file; all but the last end in CR LF.
    static const std::vector<std::string_view> kLines = {
        "99/01/23 10:15:30から 99/01/30 9:05:07まで",
        " C:<Drive>",
        " ├─AUTOEXEC.BAT . . . . . 1 KB 1999/01/30 9:15:02+",
        " ├─DATA<Folder>",
        " │　　├─old<Folder>",
        " │　　│　　├─a.txt . . . . . 3 KB 1999/01/20 18:02:44-",
        " │　　│　　└─b.txt . . . . 15 KB 1999/01/28 10:30:00+",
        " │　　├─report.doc . . . 118 KB 1999/01/12 16:45:10!",
        " │　　└─report.doc . . . 120 KB 1999/01/30 11:20:36*",
        " └─TEMP<Folder>",
        " 　　　└─x<Folder>",
        " 　　　　　　└─y<Folder>",
        " 　　　　　　　　　└─z.tmp . . . . . 2 KB 1999/01/30 12:00:08+",
        " ",
        " ",
    };
    std::string bytes;
    for (size_t i = 0; i < kLines.size(); ++i) {
        if (i > 0) bytes += "\r\n";
        bytes += Sjis(kLines[i]);
    }
    return bytes;
}

std::vector<std::string> SjisAll(const std::vector<std::string_view>& utf8) {
    std::vector<std::string> out;
    for (auto s : utf8) out.push_back(Sjis(s));
    return out;
}

std::vector<std::string> SjisAll(const std::vector<std::string>& utf8) {
    std::vector<std::string_view> views(utf8.begin(), utf8.end());
    return SjisAll(views);
}

void SetResultList(const std::vector<std::string>& utf8Entries) {
    WorkingTables& t = Tables();
    for (size_t i = 0; i < utf8Entries.size(); ++i) t.ResultList[i] = Sjis(utf8Entries[i]);
    t.ResultCount = static_cast<int32_t>(utf8Entries.size());
}

void BuildAfterSurvey(const std::vector<std::string>& utf8Entries) {
    SetResultList(utf8Entries);
    Tables().HeadedParts[0].clear();
    BuildResultTree();
}

std::vector<std::string> ShownLines() {
    const WorkingTables& t = Tables();
    return {t.DisplayLines.begin(), t.DisplayLines.begin() + t.ListCount};
}

void ExpectLines(const std::vector<std::string>& actual, const std::vector<std::string>& utf8) {
    std::vector<std::string> expected = SjisAll(utf8);
    ASSERT_EQ(actual.size(), expected.size());
    for (size_t i = 0; i < actual.size(); ++i) {
        EXPECT_EQ(actual[i], expected[i]) << "line " << i << ": got \"" << TextToUtf8(actual[i])
                                          << "\", want \"" << utf8[i] << "\"";
    }
}

void ExpectLines(const std::vector<std::string>& actual,
                 const std::vector<std::string_view>& utf8) {
    ExpectLines(actual, std::vector<std::string>(utf8.begin(), utf8.end()));
}

void TablesTest::SetUp() {
    CreateWorkingTables();
    Tables().DriveRoot = "C:";
}

void TablesTest::TearDown() {
    ReleaseWorkingTables();
}

Capacities WithDisplaySlots(int32_t displaySlots) {
    Capacities c = Capacities::Standard();
    c.displaySlots = displaySlots;
    return c;
}

}  // namespace kirafu::test
