#include "router/VisitTable.h"

#include <gtest/gtest.h>

namespace pathwick {
namespace {

TEST(VisitTable, AStateIsAPointAndADirectionAndKeepsItsLargestCostToGo) {
    TVisitTable table;
    const TSheetPoint p{3'000'000, -7};
    EXPECT_EQ(table.ToGo(p, TDirection::L), TVisitTable::Unknown);
    table.Raise(p, TDirection::L, 500);
    table.Raise(p, TDirection::L, 300); // the largest stays
    table.Raise(p, TDirection::B, TVisitTable::Unreachable);
    struct {
        TSheetPoint p;
        TDirection d;
        int64_t toGo;
    } const cases[] = {
        {p, TDirection::L, 500},
        {p, TDirection::B, TVisitTable::Unreachable},
        {p, TDirection::R, TVisitTable::Unknown},
        {p, TDirection::None, TVisitTable::Unknown},
        {{p.X, p.Y + 1}, TDirection::L, TVisitTable::Unknown},
        {{p.Y, p.X}, TDirection::L, TVisitTable::Unknown},
    };
    for (const auto& c : cases)
        EXPECT_EQ(table.ToGo(c.p, c.d), c.toGo)
            << "(" << c.p.X << ", " << c.p.Y << ") dir " << static_cast<int>(c.d);
    table.Raise(p, TDirection::L, 700);
    EXPECT_EQ(table.ToGo(p, TDirection::L), 700);
    EXPECT_EQ(table.Size(), 2u);
}

// Grid points a search meets, each with one of the four directions.
TEST(VisitTable, KeepsEveryStateAsItGrows) {
    TVisitTable table;
    const TDirection dirs[] = {TDirection::L, TDirection::B, TDirection::R, TDirection::T};
    auto point = [](int32_t i) { return TSheetPoint{i % 100 * 1'000'000, i / 100 * 1'000'000}; };
    for (int32_t i = 0; i < 5000; ++i)
        table.Raise(point(i), dirs[i % 4], i);
    EXPECT_EQ(table.Size(), 5000u);
    for (int32_t i = 0; i < 5000; ++i) {
        ASSERT_EQ(table.ToGo(point(i), dirs[i % 4]), i) << i;
        ASSERT_EQ(table.ToGo(point(i), dirs[(i + 1) % 4]), TVisitTable::Unknown) << i;
    }
}

} // namespace
} // namespace pathwick
