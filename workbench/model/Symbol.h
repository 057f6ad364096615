// Symbols: a placed part with child objects (body graphics, pins) and a label.
#pragma once

#include "workbench/model/SheetObjects.h"

namespace pathwick::workbench {

// A symbol (kind 24, ISch_Symbol). Its children (body rectangles, pins, other
// graphics) are what its NewObjectEnumerator walks; each child carries a part
// and view number, and only those equal to the symbol's current part and view
// belong to its present appearance. The label (the designator) is held apart
// from the children and is not enumerated. Symbols hold no symbols, so the
// model never nests deeper than one level.
class TSymbol final : public TSheetObjectOf<ISch_Symbol> {
public:
    static THostRef<TSymbol> Create(TSheetRect bounds);

    // Takes a reference of its own. Throws std::invalid_argument for a symbol
    // or a document.
    void AddChild(TSheetObject& child);
    const TObjectList& ChildList() const { return children_; }
    const TObjectList* Children() const override { return &children_; }

    TLabel* Label() const { return label_.Get(); }
    // Takes a reference of its own; null removes the label.
    void SetLabel(TLabel* label) { label_ = THostRef<TLabel>::Share(label); }

    int32_t CurrentPart() const { return currentPart_; }
    void SetCurrentPart(int32_t part) { currentPart_ = part; }
    uint8_t CurrentView() const { return currentView_; }
    void SetCurrentView(uint8_t view) { currentView_ = view; }
    bool HiddenPinsVisible() const { return hiddenPinsVisible_; }
    void SetHiddenPinsVisible(bool visible) { hiddenPinsVisible_ = visible; }

    // The box around the label and every child, or the stored rectangle when
    // there are none; the loader uses it when a file gives no rectangle.
    TSheetRect FittedBounds() const;
    using TSheetObject::SetAnchor;
    using TSheetObject::SetBounds;

    THostResult GetCurrentPartNumber(int32_t* part) override {
        return Answer("GetCurrentPartNumber", part, currentPart_);
    }
    THostResult GetCurrentViewNumber(uint8_t* view) override {
        return Answer("GetCurrentViewNumber", view, currentView_);
    }
    THostResult GetHiddenPinsVisible(bool* visible) override {
        return Answer("GetHiddenPinsVisible", visible, hiddenPinsVisible_);
    }
    THostResult GetLabel(ISch_TextTag** label) override;

protected:
    void* FindInterface(const TGuid& iid) override;

private:
    explicit TSymbol(TSheetRect bounds);
    TObjectList children_;
    THostRef<TLabel> label_;
    int32_t currentPart_ = 1;
    uint8_t currentView_ = 0;
    bool hiddenPinsVisible_ = false;
};

} // namespace pathwick::workbench
