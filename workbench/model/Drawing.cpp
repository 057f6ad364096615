#include "workbench/model/Drawing.h"

#include <cmath>

namespace pathwick::workbench {

const char* InkColour(TInk ink) {
    switch (ink) {
    case TInk::Body:
    case TInk::Pin:
    case TInk::GlobalLabel:
    case TInk::SheetPin:
        return "#840000";
    case TInk::PinName:
    case TInk::Reference:
    case TInk::Field:
    case TInk::SheetName:
        return "#006464";
    case TInk::PinNumber:
        return "#a90000";
    case TInk::Label:
        return "#000000";
    case TInk::HierLabel:
        return "#6e6e00";
    case TInk::Junction:
        return "#009600";
    case TInk::NoConnect:
    case TInk::Bus:
        return "#0000c8";
    case TInk::Sheet:
        return "#840084";
    case TInk::SheetFile:
        return "#724200";
    case TInk::Note:
    case TInk::Graphic:
        return "#0000c2";
    }
    return "#000000";
}

const char* InkClass(TInk ink) {
    switch (ink) {
    case TInk::Body:
        return "body";
    case TInk::Pin:
        return "pin";
    case TInk::PinName:
        return "pin-name";
    case TInk::PinNumber:
        return "pin-number";
    case TInk::Reference:
        return "designator";
    case TInk::Field:
        return "field";
    case TInk::Label:
    case TInk::GlobalLabel:
    case TInk::HierLabel:
        return "label";
    case TInk::Note:
        return "note";
    case TInk::Junction:
        return "junction";
    case TInk::NoConnect:
        return "no-connect";
    case TInk::Bus:
        return "bus-entry";
    case TInk::Sheet:
    case TInk::SheetName:
    case TInk::SheetFile:
        return "sheet";
    case TInk::SheetPin:
        return "sheet-pin";
    case TInk::Graphic:
        return "graphic";
    }
    return "graphic";
}

std::optional<TCircle> CircleThrough(double ax, double ay, double bx, double by, double cx,
                                     double cy) {
    const double d = 2 * (ax * (by - cy) + bx * (cy - ay) + cx * (ay - by));
    if (std::abs(d) < 1e-9)
        return std::nullopt;
    const double a2 = ax * ax + ay * ay, b2 = bx * bx + by * by, c2 = cx * cx + cy * cy;
    TCircle circle;
    circle.X = (a2 * (by - cy) + b2 * (cy - ay) + c2 * (ay - by)) / d;
    circle.Y = (a2 * (cx - bx) + b2 * (ax - cx) + c2 * (bx - ax)) / d;
    circle.Radius = std::hypot(ax - circle.X, ay - circle.Y);
    return circle;
}

} // namespace pathwick::workbench
