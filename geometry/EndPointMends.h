// What the mended rules change about the obstacles at a request's own end
// points, while the router's second pass asks the tree.
#pragma once

#include "geometry/Obstacle.h"
#include "host/HostTypes.h"

namespace pathwick {

class TObstacleTree;

// The request's two end points and the mends that apply at them. The router
// hands one to the tree for its mended pass (TObstacleTree::Mends) and takes
// it back afterwards, so that nothing of it outlives the request.
struct TEndPointMends {
    TSheetPoint Ends[2];
    // Junctions round an end point are not there for the request: connecting
    // a wire to a junction is what the request asks for.
    bool OpenJunctions = false;
    // The connection points of other pins and of ports close the rays that
    // would run through them (TObstacleTree::CastRay): a wire through one
    // connects it.
    bool ClosePoints = false;

    bool IsEnd(const TSheetPoint& p) const;
    // The leaf is a junction round one of the end points and is left out.
    bool IgnoresLeaf(const TObstacle& leaf) const;
    // Some leaf of the tree is treated otherwise than by the rules as they
    // stand; if none is, a mended pass would only repeat the first.
    bool ChangesAnything(const TObstacleTree& tree) const;
};

} // namespace pathwick
