// The host's schematic interfaces as the module sees them.
//
// Every interface is reference counted (AddRef/Release) and answers
// QueryInterface by identifier. Every other operation returns a status and
// hands its result back through the last, out-parameter. Objects returned
// through an interface out-parameter carry one reference that the caller
// owns (wrap them in THostRef). Vertices are numbered from 1.
#pragma once

#include "host/HostTypes.h"

#include <cstdint>

namespace pathwick {

class IHostUnknown {
public:
    static constexpr TGuid IID = {
        0x00000000, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
    // On success stores an added reference of the asked-for interface in *out;
    // on HostNoInterface stores null.
    virtual THostResult QueryInterface(const TGuid& iid, void** out) = 0;
    virtual uint32_t AddRef() = 0;
    virtual uint32_t Release() = 0;

protected:
    ~IHostUnknown() = default;
};

// The host process's client object.
class IClient : public IHostUnknown {
public:
    static constexpr TGuid IID = {
        0x7A1C0E01, 0x5D2B, 0x4C8A, {0x9E, 0x11, 0x40, 0x6B, 0x2D, 0x73, 0x01, 0x01}};
    // Looks a server module up by name ("SCH" for the schematic editor).
    // Stores null when there is no such module.
    virtual THostResult FindServerModule(const char16_t* name, IHostUnknown** module) = 0;
    // The host's main window, as an opaque handle (a QWidget* in Qt hosts), or null.
    virtual THostResult GetMainWindow(void** window) = 0;
    // The host installation's preference-location setting: a folder name below
    // the per-user application-data folder, or an absolute folder. Writes at most
    // size-1 characters and a terminating zero; *length receives the full length.
    // An empty setting means the host's default folder name.
    virtual THostResult GetPreferenceLocation(char* buffer, int32_t size, int32_t* length) = 0;

protected:
    ~IClient() = default;
};

class ISch_Document;
class ISch_BasicContainer;
class ISch_ObjectEnumerator;
class ISch_TextTag;

class ISch_EditorService : public IHostUnknown {
public:
    static constexpr TGuid IID = {
        0x3E4C887F, 0x1547, 0x445E, {0xA9, 0x12, 0xA8, 0x52, 0x13, 0xA5, 0x4D, 0x37}};
    virtual THostResult GetActiveDocument(ISch_Document** document) = 0;
    // Kind 18 with mode 0 makes a new wire that is not on the sheet.
    virtual THostResult NewObject(int32_t kind, int32_t mode, ISch_BasicContainer** object) = 0;

protected:
    ~ISch_EditorService() = default;
};

class ISch_BasicContainer : public IHostUnknown {
public:
    static constexpr TGuid IID = {
        0x7A1C0E02, 0x5D2B, 0x4C8A, {0x9E, 0x11, 0x40, 0x6B, 0x2D, 0x73, 0x01, 0x02}};
    virtual THostResult GetObjectKind(int32_t* kind) = 0;
    // Document: the sheet's objects; symbol: its children.
    virtual THostResult NewObjectEnumerator(ISch_ObjectEnumerator** enumerator) = 0;
    // Ends a walk; the caller still releases its own reference.
    virtual THostResult FreeObjectEnumerator(ISch_ObjectEnumerator* enumerator) = 0;

protected:
    ~ISch_BasicContainer() = default;
};

class ISch_ObjectEnumerator : public IHostUnknown {
public:
    static constexpr TGuid IID = {
        0x7A1C0E03, 0x5D2B, 0x4C8A, {0x9E, 0x11, 0x40, 0x6B, 0x2D, 0x73, 0x01, 0x03}};
    // Bit k set: objects of kind k come (kinds 0 to 63).
    virtual THostResult SetKindFilter(const uint64_t& kinds) = 0;
    virtual THostResult SetEnumerationMode(int32_t mode) = 0;
    // Null ends the walk.
    virtual THostResult FirstObject(ISch_BasicContainer** object) = 0;
    virtual THostResult NextObject(ISch_BasicContainer** object) = 0;

protected:
    ~ISch_ObjectEnumerator() = default;
};

class ISch_GraphicalObject : public ISch_BasicContainer {
public:
    static constexpr TGuid IID = {
        0x7A1C0E04, 0x5D2B, 0x4C8A, {0x9E, 0x11, 0x40, 0x6B, 0x2D, 0x73, 0x01, 0x04}};
    virtual THostResult GetAnchorPoint(TSheetPoint* point) = 0;
    virtual THostResult GetPartNumber(int32_t* part) = 0;
    virtual THostResult GetViewNumber(uint8_t* view) = 0;
    virtual THostResult GetBoundingRect(TSheetRect* rect) = 0;

protected:
    ~ISch_GraphicalObject() = default;
};

class ISch_TextTag : public ISch_GraphicalObject {
public:
    static constexpr TGuid IID = {
        0x7A1C0E05, 0x5D2B, 0x4C8A, {0x9E, 0x11, 0x40, 0x6B, 0x2D, 0x73, 0x01, 0x05}};
    virtual THostResult GetLabelHidden(bool* hidden) = 0;

protected:
    ~ISch_TextTag() = default;
};

class ISch_Line : public ISch_GraphicalObject {
public:
    static constexpr TGuid IID = {
        0x7A1C0E06, 0x5D2B, 0x4C8A, {0x9E, 0x11, 0x40, 0x6B, 0x2D, 0x73, 0x01, 0x06}};
    // The end opposite the anchor point.
    virtual THostResult GetEndPoint(TSheetPoint* point) = 0;

protected:
    ~ISch_Line() = default;
};

class ISch_BusEntry : public ISch_Line {
public:
    static constexpr TGuid IID = {
        0x7A1C0E07, 0x5D2B, 0x4C8A, {0x9E, 0x11, 0x40, 0x6B, 0x2D, 0x73, 0x01, 0x07}};

protected:
    ~ISch_BusEntry() = default;
};

class ISch_ParametrizedGroup : public ISch_GraphicalObject {
public:
    static constexpr TGuid IID = {
        0x7A1C0E08, 0x5D2B, 0x4C8A, {0x9E, 0x11, 0x40, 0x6B, 0x2D, 0x73, 0x01, 0x08}};

protected:
    ~ISch_ParametrizedGroup() = default;
};

class ISch_Document : public ISch_ParametrizedGroup {
public:
    static constexpr TGuid IID = {
        0x7A1C0E09, 0x5D2B, 0x4C8A, {0x9E, 0x11, 0x40, 0x6B, 0x2D, 0x73, 0x01, 0x09}};
    // The sheet spans (0, 0) to (width, height).
    virtual THostResult GetSheetWidth(int32_t* width) = 0;
    virtual THostResult GetSheetHeight(int32_t* height) = 0;

protected:
    ~ISch_Document() = default;
};

class ISch_Symbol : public ISch_ParametrizedGroup {
public:
    static constexpr TGuid IID = {
        0x176E4210, 0xAE60, 0x445E, {0x9B, 0xF2, 0xA5, 0x78, 0x15, 0xDC, 0x9E, 0xAF}};
    virtual THostResult GetCurrentPartNumber(int32_t* part) = 0;
    virtual THostResult GetCurrentViewNumber(uint8_t* view) = 0;
    virtual THostResult GetHiddenPinsVisible(bool* visible) = 0;
    // The symbol's label (designator) object; may be null.
    virtual THostResult GetLabel(ISch_TextTag** label) = 0;

protected:
    ~ISch_Symbol() = default;
};

class ISch_SymbolPin : public ISch_GraphicalObject {
public:
    static constexpr TGuid IID = {
        0xDB134758, 0xFAE5, 0x4C17, {0xAD, 0x5B, 0xA7, 0x6E, 0x88, 0xDE, 0x49, 0x85}};
    // 0: lead to +x, 1: +y, 2: -x, 3: -y from the anchor.
    virtual THostResult GetOrientation(int32_t* orientation) = 0;
    virtual THostResult GetLeadLength(int32_t* length) = 0;
    virtual THostResult GetPinHidden(bool* hidden) = 0;

protected:
    ~ISch_SymbolPin() = default;
};

class ISch_Polygon : public ISch_GraphicalObject {
public:
    static constexpr TGuid IID = {
        0x7A1C0E0A, 0x5D2B, 0x4C8A, {0x9E, 0x11, 0x40, 0x6B, 0x2D, 0x73, 0x01, 0x0A}};
    virtual THostResult GetVertexCount(int32_t* count) = 0;
    virtual THostResult GetVertex(int32_t index, TSheetPoint* point) = 0;
    // Kept also at an index above the count.
    virtual THostResult SetVertex(int32_t index, const TSheetPoint& point) = 0;
    // Raising the count after writing vertex count+1 appends that vertex;
    // lowering it drops the trailing vertices.
    virtual THostResult SetVertexCount(int32_t count) = 0;

protected:
    ~ISch_Polygon() = default;
};

class ISch_BasicPolyline : public ISch_Polygon {
public:
    static constexpr TGuid IID = {
        0x7A1C0E0B, 0x5D2B, 0x4C8A, {0x9E, 0x11, 0x40, 0x6B, 0x2D, 0x73, 0x01, 0x0B}};

protected:
    ~ISch_BasicPolyline() = default;
};

class ISch_Wire : public ISch_BasicPolyline {
public:
    static constexpr TGuid IID = {
        0x7A1C0E0C, 0x5D2B, 0x4C8A, {0x9E, 0x11, 0x40, 0x6B, 0x2D, 0x73, 0x01, 0x0C}};

protected:
    ~ISch_Wire() = default;
};

} // namespace pathwick

namespace pathwick {

// Why a request found no path (TRouteReport::Failure).
enum ERouteFailure : uint8_t {
    RouteFailureNone = 0,         // a path was found, or no reason is known
    RouteFailureStartBlocked = 1, // the start point lies inside an obstacle
    RouteFailureEndBlocked = 2,
    RouteFailureBothBlocked = 3,
    RouteFailureStartBoxedIn = 4, // no direction leads away from the start point
    RouteFailureEndBoxedIn = 5,
    RouteFailureNoPathUnderBound = 6, // a search ran to its end without a path under its bound
    RouteFailureOutOfTime = 7,        // the time-out stopped the searches first
    RouteFailureSamePoint = 8,        // the start and end points are the same
};

// What the module found for one routing request, for a host that wants to show
// it. Plain data so that any host can read it.
struct TRouteReport {
    uint8_t Found;         // 1 when a path was found
    uint8_t ReverseChosen; // 1 when the end-to-start search's path was used
    uint8_t ForwardRan;    // the searches started (both end points routable)
    uint8_t ReverseRan;
    uint8_t ForwardCompleted; // the search ran to its end, not stopped by its time budget
    uint8_t ReverseCompleted;
    uint8_t Failure;       // an ERouteFailure
    uint8_t Mended;        // 1 when the path came from the second pass, by the mended rules
    uint64_t ForwardNodes; // search steps
    uint64_t ReverseNodes;
    uint64_t ForwardRays; // clipped rays cast
    uint64_t ReverseRays;
};

// Optional: a client that also answers this interface is told about every
// routing request after its searches. Hosts without it see no difference.
class IRouteReportSink : public IHostUnknown {
public:
    static constexpr TGuid IID = {
        0x7A1C0E0D, 0x5D2B, 0x4C8A, {0x9E, 0x11, 0x40, 0x6B, 0x2D, 0x73, 0x01, 0x0D}};
    virtual THostResult ReportRoute(const TRouteReport& report) = 0;

protected:
    ~IRouteReportSink() = default;
};

} // namespace pathwick
