// The workbench host process: client, schematic editor service, active document.
#pragma once

#include "workbench/model/FaultPlan.h"
#include "workbench/model/SheetDocument.h"

#include <string>
#include <vector>

namespace pathwick::workbench {

// The schematic editor service (ISch_EditorService); also the "SCH" server
// module that the client finds. GetActiveDocument yields the active document
// or null. NewObject with mode 0 makes a new object of any named kind except
// the document (31), not placed on any sheet, with default fields; kind 18
// gives an empty wire. Other modes, unnamed kinds and kind 31 fail with
// HostInvalidArg.
class TEditorService final : public THostObject, public ISch_EditorService {
public:
    TEditorService() = default;

    THostResult QueryInterface(const TGuid& iid, void** out) override {
        return QueryInterfaceImpl(iid, out);
    }
    uint32_t AddRef() override { return THostObject::AddRef(); }
    uint32_t Release() override { return THostObject::Release(); }
    THostResult GetActiveDocument(ISch_Document** document) override;
    THostResult NewObject(int32_t kind, int32_t mode, ISch_BasicContainer** object) override;

    TSheetDocument* ActiveDocument() const { return active_.Get(); }
    void SetActiveDocument(TSheetDocument* document) {
        active_ = THostRef<TSheetDocument>::Share(document);
    }
    // Ids (THostObject::Id) of the objects NewObject made, oldest first.
    const std::vector<uint64_t>& MadeObjectIds() const { return made_; }
    void ClearMadeObjectIds() { made_.clear(); }

protected:
    void* FindInterface(const TGuid& iid) override;

private:
    THostRef<TSheetDocument> active_;
    std::vector<uint64_t> made_;
};

// The host's client object (IClient).
// Also answers IRouteReportSink while a TReportCapture listens (ReportSink.h).
class TWorkbenchClient final : public THostObject, public IClient, public IRouteReportSink {
public:
    explicit TWorkbenchClient(TEditorService& service);

    THostResult QueryInterface(const TGuid& iid, void** out) override {
        return QueryInterfaceImpl(iid, out);
    }
    uint32_t AddRef() override { return THostObject::AddRef(); }
    uint32_t Release() override { return THostObject::Release(); }
    // u"SCH" yields the editor service; any other name yields null.
    THostResult FindServerModule(const char16_t* name, IHostUnknown** module) override;
    THostResult GetMainWindow(void** window) override;
    THostResult GetPreferenceLocation(char* buffer, int32_t size, int32_t* length) override;
    THostResult ReportRoute(const TRouteReport& report) override;

    void SetMainWindow(void* window) { window_ = window; }
    void SetPreferenceLocation(std::string location) { location_ = std::move(location); }

protected:
    void* FindInterface(const TGuid& iid) override;

private:
    THostRef<TEditorService> service_;
    void* window_ = nullptr;
    std::string location_;
};

// The process-wide workbench host: one client, one editor service, at most one
// active document, and the fault plan (HostFaults). Created on first use.
class TWorkbenchHost {
public:
    static TWorkbenchHost& Instance();

    TWorkbenchClient& Client() { return *client_; }
    TEditorService& Service() { return *service_; }
    TFaultPlan& Faults() { return HostFaults(); }

    TSheetDocument* ActiveDocument() const { return service_->ActiveDocument(); }
    // Shares the document (null: no active document).
    void SetActiveDocument(TSheetDocument* document) { service_->SetActiveDocument(document); }
    void SetMainWindow(void* window) { client_->SetMainWindow(window); }
    void SetPreferenceLocation(std::string location);

    // Back to the start: no document, no main window, empty preference
    // location, no record of made objects, fault plan reset.
    void Reset();

private:
    TWorkbenchHost();
    THostRef<TEditorService> service_;
    THostRef<TWorkbenchClient> client_;
};

// What the executable's ClientAPI_GetClientInterface forwards to: stores the
// process-wide client in *out with a reference added for the caller.
THostResult ProvideClient(IClient** out);

} // namespace pathwick::workbench
