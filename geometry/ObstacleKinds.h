// The kinds the obstacle tree gives its own leaves, and the kind sets that
// steer its queries.
#pragma once

#include "host/ObjectKinds.h"

#include <cstdint>

namespace pathwick {

// Every other leaf keeps the host's kind of its object (host/ObjectKinds.h);
// every straight run of a wire or polyline is a kinds::Wire leaf.
inline constexpr int32_t KindInnerNode = 0;
inline constexpr int32_t KindGuideLine = 5;
inline constexpr int32_t KindSheetFrame = 30;

// Leaves that can be marked as touched, and that the ray clipping widens to
// the snap grid.
inline constexpr uint64_t SnapKinds = KindSet(
    {kinds::Arc, kinds::Ellipse, kinds::BusEntry, kinds::Wire, kinds::Bus, kinds::RoundRectangle,
     kinds::Symbol, kinds::Marker, kinds::CableType, kinds::Hyperlink, kinds::MaskedArea});
// Nodes that a blocked-point test does not deflate by its margin; of them,
// kinds::CableType is deflated by 1 instead.
inline constexpr uint64_t MarginExemptKinds =
    KindSet({KindInnerNode, kinds::Junction, kinds::Wire, kinds::Bus, kinds::RoundRectangle,
             kinds::CableType});

// The fixed step to which ray clipping widens snapping obstacles, and the reach
// of its target shortcut.
inline constexpr int32_t SnapStep = 1000000;

} // namespace pathwick
