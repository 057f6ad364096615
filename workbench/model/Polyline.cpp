#include "workbench/model/Polyline.h"

#include "workbench/model/ObjectKinds.h"

#include <algorithm>

namespace pathwick::workbench {

TPolyline::TPolyline(int32_t kind, std::vector<TSheetPoint> vertices) : TSheetObjectOf(kind) {
    SetVertices(std::move(vertices));
}

THostRef<TPolyline> TPolyline::Create(int32_t kind, std::vector<TSheetPoint> vertices) {
    return THostRef<TPolyline>::Adopt(new TPolyline(kind, std::move(vertices)));
}

std::vector<TSheetPoint> TPolyline::Vertices() const {
    return {stored_.begin(), stored_.begin() + count_};
}

void TPolyline::SetVertices(std::vector<TSheetPoint> vertices) {
    if (vertices.size() > static_cast<std::size_t>(MaxVertexIndex))
        vertices.resize(static_cast<std::size_t>(MaxVertexIndex));
    stored_ = std::move(vertices);
    count_ = static_cast<int32_t>(stored_.size());
    if (!unrouted_.empty())
        SetUnroutedSegments(UnroutedSegments());
}

void TPolyline::MarkUnrouted(TSheetPoint a, TSheetPoint b) {
    unrouted_.emplace_back(a, b);
}

bool TPolyline::IsUnrouted(int32_t segment) const {
    if (segment < 1 || segment >= count_)
        return false;
    const TSheetPoint a = stored_[static_cast<std::size_t>(segment - 1)];
    const TSheetPoint b = stored_[static_cast<std::size_t>(segment)];
    return std::any_of(unrouted_.begin(), unrouted_.end(), [&](const auto& run) {
        return (run.first == a && run.second == b) || (run.first == b && run.second == a);
    });
}

std::vector<int32_t> TPolyline::UnroutedSegments() const {
    std::vector<int32_t> segments;
    if (unrouted_.empty())
        return segments;
    for (int32_t i = 1; i < count_; ++i)
        if (IsUnrouted(i))
            segments.push_back(i);
    return segments;
}

void TPolyline::SetUnroutedSegments(const std::vector<int32_t>& segments) {
    unrouted_.clear();
    for (const int32_t i : segments)
        if (i >= 1 && i < count_)
            MarkUnrouted(stored_[static_cast<std::size_t>(i - 1)],
                         stored_[static_cast<std::size_t>(i)]);
}

TSheetPoint TPolyline::Anchor() const {
    return count_ > 0 ? stored_[0] : TSheetPoint{};
}

TSheetRect TPolyline::Bounds() const {
    if (count_ == 0)
        return {};
    TSheetRect box = {stored_[0].X, stored_[0].Y, stored_[0].X, stored_[0].Y};
    for (int32_t i = 1; i < count_; ++i) {
        const TSheetPoint& p = stored_[static_cast<std::size_t>(i)];
        box.Left = std::min(box.Left, p.X);
        box.Right = std::max(box.Right, p.X);
        box.Bottom = std::min(box.Bottom, p.Y);
        box.Top = std::max(box.Top, p.Y);
    }
    return box;
}

THostResult TPolyline::GetVertexCount(int32_t* count) {
    return Answer("GetVertexCount", count, count_);
}

THostResult TPolyline::GetVertex(int32_t index, TSheetPoint* point) {
    const THostResult status = Enter("GetVertex");
    if (!Succeeded(status))
        return status;
    if (!point || index < 1 || index > count_)
        return HostInvalidArg;
    *point = stored_[static_cast<std::size_t>(index - 1)];
    return HostOk;
}

THostResult TPolyline::SetVertex(int32_t index, const TSheetPoint& point) {
    const THostResult status = Enter("SetVertex");
    if (!Succeeded(status))
        return status;
    if (index < 1 || index > MaxVertexIndex)
        return HostInvalidArg;
    const auto slot = static_cast<std::size_t>(index - 1);
    if (slot >= stored_.size())
        stored_.resize(slot + 1);
    stored_[slot] = point;
    return HostOk;
}

THostResult TPolyline::SetVertexCount(int32_t count) {
    const THostResult status = Enter("SetVertexCount");
    if (!Succeeded(status))
        return status;
    if (count < 0 || count > MaxVertexIndex)
        return HostInvalidArg;
    const auto size = static_cast<std::size_t>(count);
    if (count < count_)
        stored_.resize(size); // lowering forgets every point above the new count
    else if (stored_.size() < size)
        stored_.resize(size); // raising takes in stored points; unwritten ones are (0, 0)
    count_ = count;
    return HostOk;
}

void* TPolyline::FindInterface(const TGuid& iid) {
    if (iid == ISch_Polygon::IID)
        return static_cast<ISch_Polygon*>(this);
    if (iid == ISch_BasicPolyline::IID)
        return Kind() != kinds::Polygon ? static_cast<ISch_BasicPolyline*>(this) : nullptr;
    if (iid == ISch_Wire::IID)
        return Kind() == kinds::Wire ? static_cast<ISch_Wire*>(this) : nullptr;
    return TSheetObjectOf::FindInterface(iid);
}

} // namespace pathwick::workbench
