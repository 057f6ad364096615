#include "bench/SyntheticSheet.h"

#include "workbench/model/ObjectKinds.h"
#include "workbench/model/Polyline.h"
#include "workbench/model/SheetObjects.h"
#include "workbench/model/Symbol.h"

#include <algorithm>
#include <cmath>
#include <random>
#include <string>

namespace pathwick::bench {

namespace {

namespace wb = workbench;

constexpr int32_t M = 1'000'000;
// One cell per symbol: the body sits in its middle, wires use the gaps.
constexpr int32_t CellWidth = 14 * M;
constexpr int32_t CellHeight = 10 * M;
constexpr int32_t BodyWidth = 4 * M;
constexpr int32_t PinLength = 2 * M;

struct TPlacedSymbol {
    std::vector<TSheetPoint> Left;  // pin ends on the left side, top to bottom
    std::vector<TSheetPoint> Right; // pin ends on the right side
};

} // namespace

TSyntheticSheet MakeSyntheticSheet(int symbols, uint32_t seed) {
    std::mt19937 rng(seed);
    auto below = [&](int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng); };

    const int columns = std::max(1, static_cast<int>(std::ceil(std::sqrt(symbols * 0.75))));
    const int rows = (symbols + columns - 1) / columns;
    TSyntheticSheet sheet;
    sheet.Document =
        wb::TSheetDocument::Create(columns * CellWidth + 4 * M, rows * CellHeight + 4 * M);
    std::vector<THostRef<wb::TSheetObject>> objects;
    std::vector<TPlacedSymbol> placed;

    for (int i = 0; i < symbols; ++i) {
        const int32_t x0 = 2 * M + (i % columns) * CellWidth + (3 + below(3)) * M;
        const int32_t y0 = 2 * M + (i / columns) * CellHeight + (1 + below(2)) * M;
        const int pins = 1 + below(3); // per side
        const int32_t height = (pins + 1) * M;
        const TSheetRect body{x0 + PinLength, y0, x0 + PinLength + BodyWidth, y0 + height};
        THostRef<wb::TSymbol> symbol = wb::TSymbol::Create(body);
        THostRef<wb::TGraphic> outline = wb::TGraphic::Create(wb::kinds::Rectangle, body);
        symbol->AddChild(*outline);
        TPlacedSymbol p;
        for (int k = 0; k < pins; ++k) {
            const int32_t y = y0 + height - (k + 1) * M;
            const TSheetPoint left{x0, y};
            const TSheetPoint right{x0 + 2 * PinLength + BodyWidth, y};
            THostRef<wb::TPin> lp = wb::TPin::Create(left, 0, PinLength);
            THostRef<wb::TPin> rp = wb::TPin::Create(right, 2, PinLength);
            symbol->AddChild(*lp);
            symbol->AddChild(*rp);
            p.Left.push_back(left);
            p.Right.push_back(right);
        }
        THostRef<wb::TLabel> designator =
            wb::TLabel::Create({body.Left, body.Top + M / 5, body.Left + M, body.Top + 4 * M / 5},
                               "U" + std::to_string(i + 1));
        symbol->SetLabel(designator.Get());
        objects.push_back(THostRef<wb::TSheetObject>::Share(symbol.Get()));
        placed.push_back(std::move(p));
    }

    // Wires from a right-side pin to the left-side pin of the next symbol in
    // the row, through the gap between them; about a third of the pins stay free.
    for (int i = 0; i < symbols; ++i) {
        const bool lastInRow = (i % columns) == columns - 1 || i + 1 == symbols;
        TPlacedSymbol& a = placed[i];
        for (std::size_t k = 0; k < a.Right.size(); ++k) {
            const TSheetPoint from = a.Right[k];
            if (lastInRow || below(3) == 0) {
                sheet.FreePins.push_back(from);
                continue;
            }
            TPlacedSymbol& b = placed[i + 1];
            const TSheetPoint to = b.Left[std::min(k, b.Left.size() - 1)];
            const int32_t mid = from.X + M * (1 + below(std::max(1, (to.X - from.X) / M - 1)));
            std::vector<TSheetPoint> v{from, {mid, from.Y}, {mid, to.Y}, to};
            if (from.Y == to.Y)
                v = {from, to};
            THostRef<wb::TPolyline> wire = wb::TPolyline::Create(wb::kinds::Wire, v);
            objects.push_back(THostRef<wb::TSheetObject>::Share(wire.Get()));
            if (below(4) == 0) {
                THostRef<wb::TLabel> net = wb::TLabel::Create(
                    {mid, from.Y, mid + M, from.Y + M / 2}, "N" + std::to_string(objects.size()));
                objects.push_back(THostRef<wb::TSheetObject>::Share(net.Get()));
            }
            if (below(5) == 0) {
                THostRef<wb::TGraphic> dot = wb::MakeJunction({mid, to.Y});
                objects.push_back(THostRef<wb::TSheetObject>::Share(dot.Get()));
            }
        }
        for (const TSheetPoint& left : a.Left) {
            if (i % columns == 0)
                sheet.FreePins.push_back(left);
        }
    }

    std::shuffle(objects.begin(), objects.end(), rng);
    for (const auto& o : objects)
        sheet.Document->AddObject(*o);

    // Requests: from up to 256 free pins spread over the sheet, each to the
    // free pin nearest to it at least three grid steps away.
    const std::size_t stride = std::max<std::size_t>(1, sheet.FreePins.size() / 256);
    for (std::size_t i = 0; i < sheet.FreePins.size(); i += stride) {
        const TSheetPoint a = sheet.FreePins[i];
        std::size_t best = i;
        int64_t bestDistance = 0;
        for (std::size_t j = 0; j < sheet.FreePins.size(); ++j) {
            const TSheetPoint b = sheet.FreePins[j];
            const int64_t d = std::abs(int64_t{a.X} - b.X) + std::abs(int64_t{a.Y} - b.Y);
            if (j != i && d >= 3 * M && (best == i || d < bestDistance)) {
                best = j;
                bestDistance = d;
            }
        }
        if (best != i)
            sheet.Requests.emplace_back(a, sheet.FreePins[best]);
    }
    std::shuffle(sheet.Requests.begin(), sheet.Requests.end(), rng);
    return sheet;
}

} // namespace pathwick::bench
