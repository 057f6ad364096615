#include "geometry/EndPointMends.h"

#include "geometry/ObstacleKinds.h"
#include "geometry/ObstacleTree.h"

namespace pathwick {

bool TEndPointMends::IsEnd(const TSheetPoint& p) const {
    return SamePoint(p, Ends[0]) || SamePoint(p, Ends[1]);
}

bool TEndPointMends::IgnoresLeaf(const TObstacle& leaf) const {
    if (!OpenJunctions || leaf.IsLeaf != 1 || leaf.Kind != kinds::Junction)
        return false;
    return leaf.Bounds.ContainsPoint(Ends[0]) || leaf.Bounds.ContainsPoint(Ends[1]);
}

bool TEndPointMends::ChangesAnything(const TObstacleTree& tree) const {
    bool changes = false;
    tree.ForEachLeaf([&](const TObstacle& leaf) { changes = changes || IgnoresLeaf(leaf); });
    return changes;
}

} // namespace pathwick
