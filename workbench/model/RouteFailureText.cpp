#include "workbench/model/RouteFailureText.h"

namespace pathwick::workbench {

namespace {

std::string PointText(TSheetPoint p) {
    return "(" + std::to_string(p.X) + "," + std::to_string(p.Y) + ")";
}

} // namespace

std::string RouteFailureText(uint8_t failure, TSheetPoint from, TSheetPoint to) {
    switch (failure) {
    case kRouteFailureStartBlocked:
        return "the start point " + PointText(from) + " lies inside an obstacle";
    case kRouteFailureEndBlocked:
        return "the end point " + PointText(to) + " lies inside an obstacle";
    case kRouteFailureBothBlocked:
        return "both end points lie inside obstacles";
    case kRouteFailureStartBoxedIn:
        return "no way leads out of the start point " + PointText(from) +
               ": each side is against an obstacle or runs off to the sheet's edge";
    case kRouteFailureEndBoxedIn:
        return "no way leads out of the end point " + PointText(to) +
               ": each side is against an obstacle or runs off to the sheet's edge";
    case kRouteFailureNoPathUnderBound:
        return "the search found no path under its cost bound";
    case kRouteFailureOutOfTime:
        return "the time-out stopped the search before it found a path";
    case kRouteFailureSamePoint:
        return "the start and end points are the same";
    default:
        return "the module gave no reason";
    }
}

std::string_view RouteFailureName(uint8_t failure) {
    switch (failure) {
    case kRouteFailureNone:
        return "none";
    case kRouteFailureStartBlocked:
        return "start-blocked";
    case kRouteFailureEndBlocked:
        return "end-blocked";
    case kRouteFailureBothBlocked:
        return "both-blocked";
    case kRouteFailureStartBoxedIn:
        return "start-boxed-in";
    case kRouteFailureEndBoxedIn:
        return "end-boxed-in";
    case kRouteFailureNoPathUnderBound:
        return "no-path-under-bound";
    case kRouteFailureOutOfTime:
        return "out-of-time";
    case kRouteFailureSamePoint:
        return "same-point";
    default:
        return "unknown";
    }
}

} // namespace pathwick::workbench
