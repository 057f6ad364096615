// Which rules a routing request follows.
#pragma once

namespace pathwick {

// The system's rules as they stand, and the mends that a second pass adds
// when those rules find no path, or find one that KeepOffConnectionPoints
// refuses. Every other path the rules as they stand find is kept as it is,
// whatever is chosen here.
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
    // A path never passes through the connection point of a pin, nor through
    // a port's across the way its label reads, other than at the request's
    // own two ends: a wire there would connect it. (Along the way it reads,
    // the run may be the label's own wire, which the router cannot tell.) A first-pass path that
    // does is dropped for the second pass, whose rays stop short of such points; a second-pass path
    // that still does is not returned.
    bool KeepOffConnectionPoints = true;

    bool AnyMend() const {
        return OpenJunctionEnds || PinWayOut || LongBound || KeepOffConnectionPoints;
    }
};

// The rules exactly as they stand: no second pass.
inline constexpr TRouteRules StrictRules{false, false, false, false};
// The default: the rules as they stand, then the mends when those find
// nothing or a path through another connection point.
inline constexpr TRouteRules MendedRules{};

} // namespace pathwick
