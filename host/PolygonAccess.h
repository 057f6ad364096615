// Reading a host polygon's vertices, each read through the call helper.
#pragma once

#include "host/HostCall.h"

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

} // namespace pathwick
