// The router's one rectangle type: axis-parallel, closed on all four sides.
#pragma once

#include "host/HostTypes.h"

#include <cstdint>

namespace pathwick {

// A coordinate value that marks a rectangle as unset when all four sides hold it.
inline constexpr int32_t UnsetCoord = 100000;

// A value type; x grows to the right, y upward ("Top" is the largest y). Never
// normalised automatically: Left <= Right and Bottom <= Top hold only after
// Normalize, when set to the sheet's extent, or when the values put in
// already satisfied it.
class TBoundingRect {
public:
    int32_t Left = UnsetCoord;
    int32_t Bottom = UnsetCoord;
    int32_t Right = UnsetCoord;
    int32_t Top = UnsetCoord;

    TBoundingRect() = default;                   // unset
    explicit TBoundingRect(const TSheetRect& r); // CreateFromRect
    TBoundingRect(int32_t left, int32_t bottom, int32_t right, int32_t top);

    void Assign(const TBoundingRect& r) { *this = r; }
    void SetRect(const TSheetRect& r);
    // Left = P1.X, Top = P1.Y, Right = P2.X, Bottom = P2.Y; no normalising.
    void SetFromPoints(const TSheetPoint& p1, const TSheetPoint& p2);

    bool IsSet() const;
    bool ContainsPoint(const TSheetPoint& p) const;
    bool OnBorder(const TSheetPoint& p) const;
    TBoundingRect UnionWith(const TBoundingRect& r) const;
    // This shrunk by m on every side (a negative m grows it).
    TBoundingRect Deflated(int32_t m) const;

    void Normalize();
    void IncludeRect(const TSheetRect& r);
    void Include(const TBoundingRect& r);

    friend bool operator==(const TBoundingRect&, const TBoundingRect&) = default;
};

} // namespace pathwick
