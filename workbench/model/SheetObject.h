// The common part of every object on a workbench sheet.
#pragma once

#include "workbench/model/Drawing.h"
#include "workbench/model/HostObject.h"

#include <string>
#include <vector>

namespace pathwick::workbench {

class TSheetObject;
using TObjectList = std::vector<THostRef<TSheetObject>>;

// An object of the sheet model: kind, anchor, part and view, a text that the
// picture and messages use (a label's words, a symbol's designator, a pin's
// name), and the host interfaces it answers. The model is edited directly
// through these C++ accessors; only the host interfaces are counted by the
// fault plan.
class TSheetObject : public THostObject {
public:
    int32_t Kind() const { return kind_; }
    virtual TSheetPoint Anchor() const { return anchor_; }
    virtual TSheetRect Bounds() const { return bounds_; }
    int32_t Part() const { return part_; }
    void SetPart(int32_t part) { part_ = part; }
    uint8_t View() const { return view_; }
    void SetView(uint8_t view) { view_ = view; }
    const std::string& Text() const { return text_; }
    void SetText(std::string text) { text_ = std::move(text); }
    // How the object looks when it came with drawable geometry (an imported
    // schematic); empty: the viewers draw it from its kind and rectangle.
    const TDrawing& Drawing() const { return drawing_; }
    void SetDrawing(TDrawing drawing) { drawing_ = std::move(drawing); }

    // The object as the host sees it; adds no reference.
    virtual ISch_BasicContainer* AsContainer() = 0;
    // What NewObjectEnumerator walks; null for objects without children.
    virtual const TObjectList* Children() const { return nullptr; }

protected:
    explicit TSheetObject(int32_t kind) : kind_(kind) {}
    // Stored anchor and rectangle; classes whose anchor or rectangle follows
    // their geometry do not offer these setters.
    void SetAnchor(TSheetPoint anchor) { anchor_ = anchor; }
    void SetBounds(TSheetRect bounds) { bounds_ = bounds; }

private:
    int32_t kind_;
    TSheetPoint anchor_;
    TSheetRect bounds_;
    int32_t part_ = 1;
    uint8_t view_ = 0;
    std::string text_;
    TDrawing drawing_;
};

// Enumerator plumbing shared by all containers (defined with the enumerator).
THostResult NewEnumeratorFor(TSheetObject& container, ISch_ObjectEnumerator** out);
THostResult FreeEnumeratorFor(TSheetObject& container, ISch_ObjectEnumerator* enumerator);

// The model object behind a host interface pointer of the workbench host, or
// null for null or a foreign object.
TSheetObject* ModelObjectOf(IHostUnknown* object);

// Implements IHostUnknown, ISch_BasicContainer and ISch_GraphicalObject for a
// sheet object whose most derived interface is Iface. Objects without
// children hand out an enumerator that yields nothing.
template <class Iface> class TSheetObjectOf : public TSheetObject, public Iface {
public:
    THostResult QueryInterface(const TGuid& iid, void** out) override {
        return QueryInterfaceImpl(iid, out);
    }
    uint32_t AddRef() override { return THostObject::AddRef(); }
    uint32_t Release() override { return THostObject::Release(); }

    THostResult GetObjectKind(int32_t* kind) override {
        return Answer("GetObjectKind", kind, Kind());
    }
    THostResult NewObjectEnumerator(ISch_ObjectEnumerator** enumerator) override {
        const THostResult status = Enter("NewObjectEnumerator");
        if (!Succeeded(status)) {
            if (enumerator)
                *enumerator = nullptr;
            return status;
        }
        return NewEnumeratorFor(*this, enumerator);
    }
    THostResult FreeObjectEnumerator(ISch_ObjectEnumerator* enumerator) override {
        const THostResult status = Enter("FreeObjectEnumerator");
        if (!Succeeded(status))
            return status;
        return FreeEnumeratorFor(*this, enumerator);
    }
    THostResult GetAnchorPoint(TSheetPoint* point) override {
        return Answer("GetAnchorPoint", point, Anchor());
    }
    THostResult GetPartNumber(int32_t* part) override {
        return Answer("GetPartNumber", part, Part());
    }
    THostResult GetViewNumber(uint8_t* view) override {
        return Answer("GetViewNumber", view, View());
    }
    THostResult GetBoundingRect(TSheetRect* rect) override {
        return Answer("GetBoundingRect", rect, Bounds());
    }

    ISch_BasicContainer* AsContainer() override { return static_cast<Iface*>(this); }

protected:
    explicit TSheetObjectOf(int32_t kind) : TSheetObject(kind) {}

    // A counted query: stores value in *out unless the call fails or out is null.
    template <class T, class V> THostResult Answer(const char* operation, T* out, const V& value) {
        const THostResult status = Enter(operation);
        if (!Succeeded(status))
            return status;
        if (!out)
            return HostInvalidArg;
        *out = value;
        return HostOk;
    }

    void* FindInterface(const TGuid& iid) override {
        Iface* self = this;
        if (iid == IHostUnknown::IID)
            return static_cast<IHostUnknown*>(self);
        if (iid == ISch_BasicContainer::IID)
            return static_cast<ISch_BasicContainer*>(self);
        if (iid == ISch_GraphicalObject::IID)
            return static_cast<ISch_GraphicalObject*>(self);
        return nullptr;
    }
};

} // namespace pathwick::workbench
