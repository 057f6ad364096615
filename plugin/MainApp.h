// The routing session: the obstacle tree of one document and the wire being placed.
#pragma once

#include "geometry/ObstacleTree.h"
#include "host/HostRef.h"
#include "router/PathSearch.h"
#include "router/RouteRules.h"

#include <cstdint>
#include <memory>

namespace pathwick {

class TRouteOptions;

// The speed-ups of a session's tree and searches: all on unless a benchmark
// switches some off to compare with the plain way. Routes are the same either way.
struct TSpeedUps {
    TTreeWalks Walks;
    TSearchOptions Search;
};

class TMainApp {
public:
    // The session on the document that is current now (may be empty). The tree
    // is not built here. The module's sessions route by the mended rules;
    // tests and benchmarks may ask for the rules as they stand.
    explicit TMainApp(THostRef<ISch_Document> document, const TRouteRules& rules = MendedRules,
                      const TSpeedUps& speedUps = {});
    ~TMainApp();
    TMainApp(const TMainApp&) = delete;
    TMainApp& operator=(const TMainApp&) = delete;

    // (Re)builds the tree from the document under the wait cursor; with no
    // document the session keeps no tree and routes nothing. An error in the
    // build leaves the tree with the obstacles inserted so far.
    void BuildObstacleTree(const TRouteOptions& options);

    // Routes the segment from the wire's second-to-last vertex (start) to its
    // last (end); true when a path was written into the wire.
    bool RouteSegment(ISch_Wire* wire, const TSheetPoint& start, const TSheetPoint& end,
                      const TRouteOptions& options);

private:
    bool EndpointsMatch(const TSheetPoint& start, const TSheetPoint& end);
    void CommitPlacedVertices();
    void RecordPath(const THostRef<ISch_Wire>& path);
    void SplicePath(const THostRef<ISch_Wire>& path, const TSheetPoint& start,
                    const TSheetPoint& end);

    std::unique_ptr<TObstacleTree> tree_;
    THostRef<ISch_Document> document_;
    TSpeedUps speedUps_;
    int32_t committedCount_ = 0;
    THostRef<ISch_Wire> currentWire_;
    const TRouteRules rules_;
};

} // namespace pathwick
