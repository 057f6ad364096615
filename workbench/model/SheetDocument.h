// The schematic sheet: its size and its ordered list of top-level objects.
#pragma once

#include "workbench/model/SheetObject.h"

namespace pathwick::workbench {

// A schematic document (kind 31, ISch_Document). It holds one reference on
// each of its objects, in the order they were added, which is the order its
// enumerator hands them out. Its rectangle is the sheet, (0, 0) to
// (width, height).
class TSheetDocument final : public TSheetObjectOf<ISch_Document> {
public:
    static THostRef<TSheetDocument> Create(int32_t width, int32_t height);

    int32_t Width() const { return width_; }
    int32_t Height() const { return height_; }
    void SetSize(int32_t width, int32_t height);

    // Takes a reference of its own. Throws std::invalid_argument for a document.
    void AddObject(TSheetObject& object);
    // Drops the document's reference; false when the object is not on the sheet.
    bool RemoveObject(TSheetObject& object);
    const TObjectList& Objects() const { return objects_; }
    const TObjectList* Children() const override { return &objects_; }

    TSheetRect Bounds() const override { return {0, 0, width_, height_}; }
    TSheetPoint Anchor() const override { return {}; }

    THostResult GetSheetWidth(int32_t* width) override {
        return Answer("GetSheetWidth", width, width_);
    }
    THostResult GetSheetHeight(int32_t* height) override {
        return Answer("GetSheetHeight", height, height_);
    }

protected:
    void* FindInterface(const TGuid& iid) override;

private:
    TSheetDocument(int32_t width, int32_t height);
    int32_t width_;
    int32_t height_;
    TObjectList objects_;
};

} // namespace pathwick::workbench
