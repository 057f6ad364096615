#include "workbench/kicad/SymbolTransform.h"

#include <stdexcept>
#include <string>

namespace pathwick::workbench::kicad {

int QuarterOf(int angle) {
    const int turned = ((angle % 360) + 360) % 360;
    return ((turned + 45) / 90) % 4;
}

int QuarterDx(int quarter) {
    static constexpr int Dx[4] = {1, 0, -1, 0};
    return Dx[quarter & 3];
}

int QuarterDy(int quarter) {
    static constexpr int Dy[4] = {0, 1, 0, -1};
    return Dy[quarter & 3];
}

TSymbolTransform::TSymbolTransform(int angle, bool mirrorX, bool mirrorY) {
    if (angle % 90 != 0)
        throw std::invalid_argument("a symbol's angle must be a multiple of 90 degrees, not " +
                                    std::to_string(angle));
    const int q = QuarterOf(angle);
    const int c = QuarterDx(q); // cos
    const int s = QuarterDy(q); // sin
    xx_ = c;
    xy_ = -s;
    yx_ = s;
    yy_ = c;
    if (mirrorX) {
        yx_ = -yx_;
        yy_ = -yy_;
    }
    if (mirrorY) {
        xx_ = -xx_;
        xy_ = -xy_;
    }
}

void TSymbolTransform::Apply(int64_t u, int64_t v, int64_t& x, int64_t& y) const {
    x = xx_ * u + xy_ * v;
    y = yx_ * u + yy_ * v;
}

int TSymbolTransform::Quarter(int angle) const {
    const int q = QuarterOf(angle);
    int64_t x = 0;
    int64_t y = 0;
    Apply(QuarterDx(q), QuarterDy(q), x, y);
    if (x > 0)
        return 0;
    if (y > 0)
        return 1;
    if (x < 0)
        return 2;
    return 3;
}

TFilePoint TPlacement::ToPage(int64_t u, int64_t v) const {
    if (!library_)
        return {u, v};
    int64_t x = 0;
    int64_t y = 0;
    transform_.Apply(u, v, x, y);
    // The page's y grows down, the library's up.
    return {origin_.X + x, origin_.Y - y};
}

int TPlacement::Quarter(int angle) const {
    if (library_)
        return transform_.Quarter(angle);
    // A page angle is counter-clockwise as seen on the page: the same turn on
    // the y-up sheet.
    return QuarterOf(angle);
}

} // namespace pathwick::workbench::kicad
