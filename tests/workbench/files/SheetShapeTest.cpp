#include "workbench/files/SheetShape.h"

#include <gtest/gtest.h>

namespace pathwick::workbench {
namespace {

struct TShapeCase {
    const char* Name;
    const char* Text;
    const char* Problem; // "" when the shape is fine
};

class SheetShape : public ::testing::TestWithParam<TShapeCase> {};

// With a limit of 3 objects and 4 levels.
TEST_P(SheetShape, RefusesTooManyObjectsAndTooDeepNestingOnly) {
    const TShapeCase& c = GetParam();
    const std::optional<std::string> problem = SheetShapeProblem(c.Text, 3, 4);
    if (*c.Problem == '\0')
        EXPECT_FALSE(problem) << *problem;
    else
        EXPECT_NE(problem.value_or("").find(c.Problem), std::string::npos) << problem.value_or("");
}

INSTANTIATE_TEST_SUITE_P(
    Table, SheetShape,
    ::testing::Values(
        TShapeCase{"ThreeObjects", R"({"objects": [{}, [], 1]})", ""},
        TShapeCase{"FourObjects", R"({"objects": [{}, [], 1, "x"]})",
                   "objects: holds more than 3 objects"},
        // Only entries of the top-level list count.
        TShapeCase{"ChildrenDoNotCount", R"({"objects": [{"children": [1, 2, 3, 4]}]})", ""},
        TShapeCase{"NestedObjectsKeyDoesNotCount", R"({"a": {"objects": [1, 2, 3, 4]}})", ""},
        TShapeCase{"RootArrayDoesNotCount", R"([1, 2, 3, 4])", ""},
        TShapeCase{"LaterListCountsAlone", R"({"objects": [1, 2], "x": 0, "objects": [3, 4]})", ""},
        TShapeCase{"FourLevels", R"({"objects": [{"a": [1]}]})", ""},
        TShapeCase{"FiveLevels", R"({"objects": [{"a": [[]]}]})", "nested deeper than 4 levels"},
        // Brackets inside strings are text, not nesting.
        // Brackets, commas and quotes inside strings are text, not structure.
        TShapeCase{"BracketsInAString", R"({"objects": ["[[[[[[", "{{,{{\"]]"]})", ""},
        TShapeCase{"ObjectsKeyAsAValue", R"({"a": "objects", "b": [1, 2, 3, 4]})", ""},
        TShapeCase{"SpacesAroundTheKey", R"({ "objects"  :  [ 1 , 2 , 3 , [ ] ] })",
                   "objects: holds more than 3 objects"}),
    [](const auto& info) { return std::string(info.param.Name); });

} // namespace
} // namespace pathwick::workbench
