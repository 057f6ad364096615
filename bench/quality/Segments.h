// Exact tests between straight pieces of wire, written for the quality
// benchmark's checks: they know nothing of the router's obstacles.
#pragma once

#include "host/HostTypes.h"

#include <vector>

namespace pathwick::quality {

// A straight piece from A to B, in any direction (sheets hold diagonal wires).
struct TSegment {
    TSheetPoint A;
    TSheetPoint B;
};

// The segments between consecutive points; pieces of no length are left out.
std::vector<TSegment> SegmentsOf(const std::vector<TSheetPoint>& points);

// p lies on the closed segment (its ends included).
bool OnSegment(const TSegment& s, TSheetPoint p);
// p lies on the segment but is neither of its ends.
bool InsideSegment(const TSegment& s, TSheetPoint p);
// Both lie on one line and share a stretch of positive length.
bool OverlapCollinear(const TSegment& a, const TSegment& b);
// They cross at one point that is inside both (no end of either on the other).
bool CrossProperly(const TSegment& a, const TSegment& b);
// Some stretch of positive length, or a crossing point, lies strictly inside r.
bool RunsThroughOpenBox(const TSegment& s, const TSheetRect& r);

// How many times the direction changes along the points (diagonal pieces
// included; pieces of no length and straight joints are no bends).
int CountBends(const std::vector<TSheetPoint>& points);

} // namespace pathwick::quality
