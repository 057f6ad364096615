// Which rules a routing request follows.
#pragma once

namespace pathwick {

// The system's rules as they stand, and the mends that a second pass adds
// when those rules find no path. The second pass only runs after the first
// found nothing, so every request the rules as they stand route gets the
// same path whatever is chosen here.
struct TRouteRules {
    // A junction around the request's own end point neither blocks it nor
    // closes the rays that leave or reach it.
    bool OpenJunctionEnds = true;
    // At the request's own end points, the directions closed by what touches
    // the point (the pin's symbol, a wire already ending there, a neighbour
    // on the same pin) leave one way out a person would draw.
    bool PinWayOut = true;
    // The search's bound is the distance's multiple in 64 bits, without the
    // upper clamp that cuts long connections off.
    bool LongBound = true;

    bool AnyMend() const { return OpenJunctionEnds || PinWayOut || LongBound; }
};

// The rules exactly as they stand: no second pass.
inline constexpr TRouteRules StrictRules{false, false, false};
// The default: the rules as they stand, then the mends when those find nothing.
inline constexpr TRouteRules MendedRules{};

} // namespace pathwick
