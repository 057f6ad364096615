// Reading a host polygon's vertices, each read through the call helper.
#pragma once

#include "host/HostCall.h"

#include <vector>

namespace pathwick {

inline int32_t VertexCount(ISch_Polygon* polygon) {
    int32_t count = 0;
    HostCall(polygon->GetVertexCount(&count));
    return count;
}

inline TSheetPoint Vertex(ISch_Polygon* polygon, int32_t index) {
    TSheetPoint p;
    HostCall(polygon->GetVertex(index, &p));
    return p;
}

// Vertices 1 to count, in order.
inline std::vector<TSheetPoint> Vertices(ISch_Polygon* polygon) {
    std::vector<TSheetPoint> points;
    const int32_t count = VertexCount(polygon);
    for (int32_t i = 1; i <= count; ++i)
        points.push_back(Vertex(polygon, i));
    return points;
}

} // namespace pathwick
