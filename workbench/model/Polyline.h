// Polylines, wires and buses: objects made of numbered vertices.
#pragma once

#include "workbench/model/SheetObject.h"

#include <utility>

namespace pathwick::workbench {

// The highest vertex index and count a polyline accepts; larger values fail
// with HostInvalidArg and change nothing.
inline constexpr int32_t MaxVertexIndex = 1 << 20;

// A chain of vertices numbered from 1 (ISch_Polygon). Kinds 17 (polyline),
// 18 (wire) and 19 (bus) also answer ISch_BasicPolyline, kind 18 also
// ISch_Wire; kind 20 (polygon) answers neither.
//
// Vertex rules: SetVertex(i, p) stores p at i even above the count, and such
// stored points are kept; SetVertexCount(n) raising the count takes in the
// stored points up to n (positions never written read as (0, 0)); lowering it
// forgets every point above n, stored ones included. GetVertex(i) answers
// only for 1 <= i <= count. Bad indices and counts fail with HostInvalidArg.
// The anchor is vertex 1 ((0, 0) without vertices) and the rectangle is the
// box around vertices 1..count (all zero without vertices).
class TPolyline final : public TSheetObjectOf<ISch_Wire> {
public:
    static THostRef<TPolyline> Create(int32_t kind, std::vector<TSheetPoint> vertices = {});

    // Vertices 1..count.
    std::vector<TSheetPoint> Vertices() const;
    // Replaces every vertex, stored ones above the count included.
    void SetVertices(std::vector<TSheetPoint> vertices);
    int32_t VertexCount() const { return count_; }
    // Positions written beyond the count and kept for a later raise.
    int32_t StoredCount() const { return static_cast<int32_t>(stored_.size()); }

    // Runs that the workbench placed itself because the module found no path
    // for them. A mark is kept by the run's two end points, so that the
    // module rewriting the wire's tail after it leaves it in place; segment i
    // (from vertex i to vertex i + 1, from 1) is unrouted when a mark has its
    // two ends. SetVertices drops the marks of runs the wire no longer has.
    void MarkUnrouted(TSheetPoint a, TSheetPoint b);
    bool IsUnrouted(int32_t segment) const;
    // The unrouted segments' numbers, ascending; setting them replaces every
    // mark (numbers that are not segments of the wire are ignored).
    std::vector<int32_t> UnroutedSegments() const;
    void SetUnroutedSegments(const std::vector<int32_t>& segments);

    TSheetPoint Anchor() const override;
    TSheetRect Bounds() const override;

    THostResult GetVertexCount(int32_t* count) override;
    THostResult GetVertex(int32_t index, TSheetPoint* point) override;
    THostResult SetVertex(int32_t index, const TSheetPoint& point) override;
    THostResult SetVertexCount(int32_t count) override;

protected:
    void* FindInterface(const TGuid& iid) override;

private:
    TPolyline(int32_t kind, std::vector<TSheetPoint> vertices);
    // Holds at least max(count_, highest written index) points.
    std::vector<TSheetPoint> stored_;
    int32_t count_ = 0;
    std::vector<std::pair<TSheetPoint, TSheetPoint>> unrouted_;
};

} // namespace pathwick::workbench
