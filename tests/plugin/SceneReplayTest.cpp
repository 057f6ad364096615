// Recorded scenes: a sheet, the wires a user placed on it and the wires the
// module made, replayed through the module's exports. A scene pins routes that
// once came out right (or a routing fault once found); tools/record-scene.py
// records one.
#include "tests/support/ModuleHost.h"

#include "workbench/cli/RouteJob.h"
#include "workbench/files/SheetFile.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace pathwick::test {
namespace {

namespace fs = std::filesystem;
using workbench::TWirePoints;

const fs::path kScenes = fs::path(PATHWICK_SOURCE_DIR) / "tests" / "data" / "scenes";

std::vector<std::string> SceneNames() {
    std::vector<std::string> names;
    for (const fs::directory_entry& entry : fs::directory_iterator(kScenes))
        if (entry.is_directory())
            names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

TSheetPoint PointOf(const nlohmann::json& p) {
    return {p.at(0).get<int32_t>(), p.at(1).get<int32_t>()};
}

std::vector<TSheetPoint> PointsOf(const nlohmann::json& list) {
    std::vector<TSheetPoint> points;
    for (const nlohmann::json& p : list)
        points.push_back(PointOf(p));
    return points;
}

std::string Describe(const std::vector<TSheetPoint>& path) {
    std::string text;
    for (const TSheetPoint& p : path)
        text += "(" + std::to_string(p.X) + "," + std::to_string(p.Y) + ")";
    return text.empty() ? "none" : text;
}

class SceneReplay : public ::testing::TestWithParam<std::string> {};

TEST_P(SceneReplay, RoutesAsRecorded) {
    const fs::path folder = kScenes / GetParam();
    nlohmann::json scene;
    std::ifstream(folder / "scene.json") >> scene;
    ASSERT_TRUE(scene.is_object()) << "unreadable " << (folder / "scene.json");

    THostRef<workbench::TSheetDocument> sheet =
        workbench::LoadSheetFile((folder / "sheet.json").string());
    std::vector<TWirePoints> wires;
    for (const nlohmann::json& wire : scene.at("wires"))
        wires.push_back(PointsOf(wire));

    const workbench::TRouteJobResult result = workbench::RunRouteJob(Module(), *sheet, wires);
    const nlohmann::json& expected = scene.at("expected");
    ASSERT_EQ(result.Segments.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        const workbench::TSegmentResult& got = result.Segments[i];
        const std::vector<TSheetPoint> path = PointsOf(expected[i].at("path"));
        const bool routed = expected[i].at("routed").get<bool>();
        EXPECT_EQ(got.Routed, routed)
            << "wire " << got.WireIndex + 1 << " segment " << got.SegmentIndex + 1;
        if (routed) {
            EXPECT_EQ(Describe(got.Path), Describe(path))
                << "wire " << got.WireIndex + 1 << " segment " << got.SegmentIndex + 1;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Scenes, SceneReplay, ::testing::ValuesIn(SceneNames()),
                         [](const ::testing::TestParamInfo<std::string>& info) {
                             std::string name = info.param;
                             std::replace_if(
                                 name.begin(), name.end(),
                                 [](char c) {
                                     return !std::isalnum(static_cast<unsigned char>(c));
                                 },
                                 '_');
                             return name;
                         });

} // namespace
} // namespace pathwick::test
