// Where the points of a library symbol land on the page.
#pragma once

#include "workbench/kicad/PageFrame.h"

#include <cstdint>

namespace pathwick::workbench::kicad {

// The orientation of a placed symbol, worked in a y-up frame: M = Mirror x
// Rot(angle), with Rot counter-clockwise as seen on the page and the mirror
// applied after the rotation; `mirror x` negates v, `mirror y` negates u.
class TSymbolTransform {
public:
    TSymbolTransform() = default;
    // Throws std::invalid_argument for an angle that is not a multiple of 90.
    TSymbolTransform(int angle, bool mirrorX, bool mirrorY);

    // M (u, v), in the y-up frame.
    void Apply(int64_t u, int64_t v, int64_t& x, int64_t& y) const;
    // A library direction (0 = +x, 90 = +y, 180 = -x, 270 = -y, y up) after
    // the transform, as a quarter turn 0..3 of the same meaning. Angles that
    // are not multiples of 90 count as the nearest one.
    int Quarter(int angle) const;

private:
    // Rows of M.
    int xx_ = 1, xy_ = 0, yx_ = 0, yy_ = 1;
};

// Maps the points of one item to sheet points: page points as the file gives
// them (y down), or, for a placed symbol, library points (y up) around the
// symbol's position.
class TPlacement {
public:
    // Points given on the page itself.
    explicit TPlacement(const TPageFrame& frame) : frame_(&frame) {}
    // Library points of a symbol placed at `origin` (a page point).
    TPlacement(const TPageFrame& frame, TFilePoint origin, TSymbolTransform transform)
        : frame_(&frame), origin_(origin), transform_(transform), library_(true) {}

    // The page point of an item point. Throws std::out_of_range via the frame.
    TFilePoint ToPage(int64_t u, int64_t v) const;
    TSheetPoint ToSheet(int64_t u, int64_t v) const { return frame_->ToSheet(ToPage(u, v)); }
    // An item direction in degrees as a quarter turn on the sheet (y up).
    int Quarter(int angle) const;
    const TPageFrame& Frame() const { return *frame_; }
    const TSymbolTransform& Transform() const { return transform_; }
    bool IsLibrary() const { return library_; }

private:
    const TPageFrame* frame_;
    TFilePoint origin_;
    TSymbolTransform transform_;
    bool library_ = false;
};

// A quarter turn 0..3 as a unit step (0: +x, 1: +y, 2: -x, 3: -y).
int QuarterDx(int quarter);
int QuarterDy(int quarter);
// Degrees to the nearest quarter turn 0..3.
int QuarterOf(int angle);

} // namespace pathwick::workbench::kicad
