// The simple sheet objects: plain graphics, lines and bus entries, labels, pins.
#pragma once

#include "workbench/model/SheetObject.h"

namespace pathwick::workbench {

// A graphical object with a stored rectangle and anchor: rectangles, text,
// images, junctions, ports and every kind without a class of its own. Any kind
// code is accepted, also one whose usual class would answer more interfaces
// (a kind-7 graphic is a bus entry without ISch_BusEntry).
class TGraphic final : public TSheetObjectOf<ISch_GraphicalObject> {
public:
    // Anchor defaults to the rectangle's (Left, Bottom) corner.
    static THostRef<TGraphic> Create(int32_t kind, TSheetRect bounds);
    using TSheetObject::SetAnchor;
    using TSheetObject::SetBounds;

private:
    TGraphic(int32_t kind, TSheetRect bounds);
};

// Half the side of the square a junction covers when built by MakeJunction.
inline constexpr int32_t JunctionRadius = 150000;
// A junction (kind 15) at a point: its rectangle is the square of
// JunctionRadius around it (clamped to the 32-bit range).
THostRef<TGraphic> MakeJunction(TSheetPoint at);

// A straight line from the anchor to an end point (ISch_Line). Kind 7 is a bus
// entry and also answers ISch_BusEntry; other kinds (16, a plain line) do not.
class TLineObject final : public TSheetObjectOf<ISch_BusEntry> {
public:
    // The rectangle starts as the box spanned by the two ends.
    static THostRef<TLineObject> Create(int32_t kind, TSheetPoint anchor, TSheetPoint end);
    TSheetPoint End() const { return end_; }
    void SetEnd(TSheetPoint end) { end_ = end; }
    using TSheetObject::SetAnchor;
    using TSheetObject::SetBounds;

    THostResult GetEndPoint(TSheetPoint* point) override {
        return Answer("GetEndPoint", point, end_);
    }

protected:
    void* FindInterface(const TGuid& iid) override;

private:
    TLineObject(int32_t kind, TSheetPoint anchor, TSheetPoint end);
    TSheetPoint end_;
};

// A text label (kind 23, ISch_TextTag): a net label, or a symbol's designator.
class TLabel final : public TSheetObjectOf<ISch_TextTag> {
public:
    static THostRef<TLabel> Create(TSheetRect bounds, std::string text);
    bool Hidden() const { return hidden_; }
    void SetHidden(bool hidden) { hidden_ = hidden; }
    using TSheetObject::SetAnchor;
    using TSheetObject::SetBounds;

    THostResult GetLabelHidden(bool* hidden) override {
        return Answer("GetLabelHidden", hidden, hidden_);
    }

protected:
    void* FindInterface(const TGuid& iid) override;

private:
    TLabel(TSheetRect bounds, std::string text);
    bool hidden_ = false;
};

// A symbol pin (kind 35, ISch_SymbolPin): an electrical point at the anchor
// with a lead of some length in one of four directions (0 +x, 1 +y, 2 -x,
// 3 -y). Other orientation values are kept as they are; their lead is the
// anchor alone.
class TPin final : public TSheetObjectOf<ISch_SymbolPin> {
public:
    // The rectangle starts as the lead's box.
    static THostRef<TPin> Create(TSheetPoint anchor, int32_t orientation, int32_t leadLength);
    int32_t Orientation() const { return orientation_; }
    void SetOrientation(int32_t orientation) { orientation_ = orientation; }
    int32_t LeadLength() const { return leadLength_; }
    void SetLeadLength(int32_t length) { leadLength_ = length; }
    bool Hidden() const { return hidden_; }
    void SetHidden(bool hidden) { hidden_ = hidden; }
    // The pin's number as its symbol gives it ("1", "A3"); the name is Text().
    const std::string& Number() const { return number_; }
    void SetNumber(std::string number) { number_ = std::move(number); }
    // The lead's far end (where it meets the body); saturates at the 32-bit range.
    TSheetPoint LeadEnd() const;
    // The box from the anchor to the lead's far end.
    TSheetRect LeadBox() const;
    using TSheetObject::SetAnchor;
    using TSheetObject::SetBounds;

    THostResult GetOrientation(int32_t* orientation) override {
        return Answer("GetOrientation", orientation, orientation_);
    }
    THostResult GetLeadLength(int32_t* length) override {
        return Answer("GetLeadLength", length, leadLength_);
    }
    THostResult GetPinHidden(bool* hidden) override {
        return Answer("GetPinHidden", hidden, hidden_);
    }

protected:
    void* FindInterface(const TGuid& iid) override;

private:
    TPin(TSheetPoint anchor, int32_t orientation, int32_t leadLength);
    int32_t orientation_;
    int32_t leadLength_;
    bool hidden_ = false;
    std::string number_;
};

// The box spanned by two points.
TSheetRect BoxOf(TSheetPoint a, TSheetPoint b);
// a + b saturated to the 32-bit range.
int32_t SaturatingAdd(int32_t a, int64_t b);

} // namespace pathwick::workbench
