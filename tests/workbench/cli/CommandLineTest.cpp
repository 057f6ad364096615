// The executable as a user meets it: what it says and how it exits.
#include "tests/support/RunProgram.h"
#include "tests/support/TempFolder.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

namespace pathwick::test {
namespace {

using ::testing::HasSubstr;

class CommandLine : public ::testing::Test {
protected:
    void SetUp() override {
        sheet_ = folder_.File("S.json");
        std::filesystem::copy_file(std::string(PATHWICK_SOURCE_DIR) + "/examples/amplifier.json",
                                   sheet_);
        original_ = ReadAll(sheet_);
    }
    TProgramRun Pathwick(std::vector<std::string> args,
                         const std::map<std::string, std::optional<std::string>>& env = {}) {
        args.insert(args.begin(), {PathwickBinary(), "--prefs", prefs_.Path().string()});
        return RunProgram(args, env);
    }
    // J1 IN to a point inside J1's body: no path can end there.
    TProgramRun RouteIntoABody(std::vector<std::string> outputs) {
        std::vector<std::string> args{"route", sheet_, "--wire", "30000000,20000000",
                                      "9000000,50000000"};
        args.insert(args.end(), outputs.begin(), outputs.end());
        return Pathwick(args);
    }

    TTempFolder folder_;
    TTempFolder prefs_;
    std::string sheet_;
    std::string original_;
};

// Other spellings and links are OutputPathsTest's; here: nothing is written.
TEST_F(CommandLine, OutputsThatWouldOverwriteTheInputAreRefused) {
    const std::string svg = folder_.File("a.svg");
    for (const std::vector<std::string>& outputs :
         {std::vector<std::string>{"--svg", folder_.Path().string() + "/./S.json"},
          std::vector<std::string>{"-o", svg, "--svg", svg}}) {
        SCOPED_TRACE(outputs[1]);
        const TProgramRun run = RouteIntoABody(outputs);
        EXPECT_EQ(run.ExitStatus, 2);
        EXPECT_THAT(run.Err, HasSubstr(outputs[0] + " "));
        EXPECT_EQ(ReadAll(sheet_), original_);
        EXPECT_FALSE(std::filesystem::exists(svg));
    }
    for (const char* command : {"render", "gui"}) {
        const std::string option = command == std::string("gui") ? "--screenshot" : "--svg";
        const TProgramRun run =
            Pathwick({command, sheet_, option, sheet_}, {{"QT_QPA_PLATFORM", "offscreen"}});
        EXPECT_EQ(run.ExitStatus, 2) << command;
        EXPECT_THAT(run.Err, HasSubstr(option + " "));
        EXPECT_EQ(ReadAll(sheet_), original_);
    }
}

TEST_F(CommandLine, AnUnroutedSegmentIsPlacedWithOneCornerSavedAndReported) {
    const std::string svg = folder_.File("out.svg"), report = folder_.File("report.json");
    // -o onto the input sheet is explicit, and allowed.
    const TProgramRun run = RouteIntoABody({"-o", sheet_, "--svg", svg, "--report", report});
    EXPECT_EQ(run.ExitStatus, 1) << run.Err;
    EXPECT_THAT(run.Out, HasSubstr("NOT ROUTED (beep): the end point (9000000,50000000) lies "
                                   "inside an obstacle; placed with one corner, marked unrouted"));

    const auto saved = nlohmann::json::parse(ReadAll(sheet_));
    const auto& wire = saved["objects"].back();
    EXPECT_EQ(wire["vertices"],
              nlohmann::json::parse("[[30000000,20000000],[9000000,20000000],[9000000,50000000]]"));
    EXPECT_EQ(wire["unrouted"], nlohmann::json::parse("[1, 2]"));
    EXPECT_THAT(ReadAll(svg), HasSubstr("class=\"wire unrouted\""));
    const auto segment = nlohmann::json::parse(ReadAll(report))["segments"][0];
    EXPECT_EQ(segment["routed"], false);
    EXPECT_EQ(segment["failure"], "end-blocked");
    EXPECT_EQ(segment["placed"], wire["vertices"]);
}

TEST_F(CommandLine, AFailedWriteSaysWhyAndExitsWithBadInput) {
    const std::string out = folder_.File("missing/out.json");
    const TProgramRun run = RouteIntoABody({"-o", out});
    EXPECT_EQ(run.ExitStatus, 2);
    EXPECT_THAT(run.Err, HasSubstr("cannot write " + out + ": No such file or directory"));
}

TEST_F(CommandLine, AnUnknownCommandIsNamedAndTheCommandsListed) {
    const TProgramRun run = Pathwick({"bogus", "x"});
    EXPECT_EQ(run.ExitStatus, 2);
    EXPECT_THAT(run.Err, HasSubstr("unknown command 'bogus'"));
    EXPECT_THAT(run.Err,
                HasSubstr("route, render, obstacles, import, settings, options, demo, gui"));
}

TEST_F(CommandLine, SettingsUseTheFilesKeyNamesAndExplainADirectory) {
    const TProgramRun plain = Pathwick({"settings"});
    EXPECT_EQ(plain.ExitStatus, 0);
    EXPECT_THAT(plain.Out, HasSubstr("TimeOut:"));
    EXPECT_THAT(plain.Out, HasSubstr("Avoid Wires Position:"));

    std::filesystem::create_directory(prefs_.File("Router.ini"));
    const TProgramRun directory = Pathwick({"settings"});
    EXPECT_THAT(directory.Out, HasSubstr("a directory is in its place, not a settings file"));
}

TEST_F(CommandLine, WindowsWithoutADisplayAreRefusedNotAborted) {
    const std::map<std::string, std::optional<std::string>> none = {
        {"DISPLAY", std::nullopt},
        {"WAYLAND_DISPLAY", std::nullopt},
        {"QT_QPA_PLATFORM", std::nullopt}};
    auto unreachable = none;
    unreachable["DISPLAY"] = ":9999";
    for (const auto& env : {none, unreachable}) {
        for (const char* command : {"options", "gui"}) {
            SCOPED_TRACE(command);
            const TProgramRun run = Pathwick({command}, env);
            EXPECT_EQ(run.ExitStatus, 2);
            EXPECT_THAT(run.Err, HasSubstr("no display available"));
        }
    }
}

} // namespace
} // namespace pathwick::test
