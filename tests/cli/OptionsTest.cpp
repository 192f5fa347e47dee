#include <gtest/gtest.h>

#include "cli/Options.h"
#include "mock/RowName.h"

namespace kirafu::cli {
namespace {

using test::PrintTo;  // rows show by label

struct ParseCase {
    const char* label;
    std::vector<std::string> args;
    bool ok;
    std::string command;
    std::optional<std::string> argument;
    bool large;
};

class OptionsCase : public testing::TestWithParam<ParseCase> {};

TEST_P(OptionsCase, Parses) {
    const ParseCase& c = GetParam();
    std::string error;
    auto o = ParseOptions(c.args, error);
    ASSERT_EQ(o.has_value(), c.ok) << error;
    if (!o) {
        EXPECT_FALSE(error.empty());
        return;
    }
    EXPECT_EQ(o->command, c.command);
    EXPECT_EQ(o->argument, c.argument);
    EXPECT_EQ(o->large, c.large);
}

INSTANTIATE_TEST_SUITE_P(
    Args, OptionsCase,
    testing::Values(
        ParseCase{"UpdateDefaultDrive", {"update"}, true, "update", std::nullopt, false},
        ParseCase{"UpdateDrive", {"update", "d:"}, true, "update", "d:", false},
        ParseCase{"OptionBefore", {"--large", "start", "D"}, true, "start", "D", true},
        ParseCase{"OptionAfter", {"start", "D", "--large"}, true, "start", "D", true},
        ParseCase{"Show", {"show", "/x/KF1.log"}, true, "show", "/x/KF1.log", false},
        ParseCase{"Drives", {"drives"}, true, "drives", std::nullopt, false},
        ParseCase{"NoCommand", {}, false, "", std::nullopt, false},
        ParseCase{"UnknownCommand", {"delete"}, false, "", std::nullopt, false},
        ParseCase{"UnknownOption", {"update", "--fast"}, false, "", std::nullopt, false},
        ParseCase{"ShowWithoutFile", {"show"}, false, "", std::nullopt, false},
        ParseCase{"TooManyWords", {"update", "C", "D"}, false, "", std::nullopt, false},
        ParseCase{"DrivesTakesNoDrive", {"drives", "C"}, false, "", std::nullopt, false}),
    test::RowName());

TEST(Options, ColourAndHiding) {
    std::string error;
    auto o = ParseOptions({"start", "--color=never", "--hide-lost"}, error);
    ASSERT_TRUE(o);
    EXPECT_EQ(o->color, ColorMode::kNever);
    EXPECT_TRUE(o->hideLost);
    EXPECT_EQ(ParseOptions({"start", "--color=always"}, error)->color, ColorMode::kAlways);
    EXPECT_TRUE(ParseOptions({"--help"}, error)->help);
}

}  // namespace
}  // namespace kirafu::cli
