#include "workbench/model/RouteFailureText.h"

namespace pathwick::workbench {

namespace {

std::string PointText(TSheetPoint p) {
    return "(" + std::to_string(p.X) + "," + std::to_string(p.Y) + ")";
}

} // namespace

std::string RouteFailureText(uint8_t failure, TSheetPoint from, TSheetPoint to) {
    switch (failure) {
    case RouteFailureStartBlocked:
        return "the start point " + PointText(from) + " lies inside an obstacle";
    case RouteFailureEndBlocked:
        return "the end point " + PointText(to) + " lies inside an obstacle";
    case RouteFailureBothBlocked:
        return "both end points lie inside obstacles";
    case RouteFailureStartBoxedIn:
        return "no way leads out of the start point " + PointText(from) +
               ": each side is against an obstacle or runs off to the sheet's edge";
    case RouteFailureEndBoxedIn:
        return "no way leads out of the end point " + PointText(to) +
               ": each side is against an obstacle or runs off to the sheet's edge";
    case RouteFailureNoPathUnderBound:
        return "the search found no path under its cost bound";
    case RouteFailureOutOfTime:
        return "the time-out stopped the search before it found a path";
    case RouteFailureSamePoint:
        return "the start and end points are the same";
    default:
        return "the module gave no reason";
    }
}

std::string_view RouteFailureName(uint8_t failure) {
    switch (failure) {
    case RouteFailureNone:
        return "none";
    case RouteFailureStartBlocked:
        return "start-blocked";
    case RouteFailureEndBlocked:
        return "end-blocked";
    case RouteFailureBothBlocked:
        return "both-blocked";
    case RouteFailureStartBoxedIn:
        return "start-boxed-in";
    case RouteFailureEndBoxedIn:
        return "end-boxed-in";
    case RouteFailureNoPathUnderBound:
        return "no-path-under-bound";
    case RouteFailureOutOfTime:
        return "out-of-time";
    case RouteFailureSamePoint:
        return "same-point";
    default:
        return "unknown";
    }
}

} // namespace pathwick::workbench
