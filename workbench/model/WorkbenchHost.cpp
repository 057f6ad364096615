#include "workbench/model/WorkbenchHost.h"

#include "workbench/model/ReportSink.h"

#include "workbench/model/ObjectKinds.h"
#include "workbench/model/Polyline.h"
#include "workbench/model/Symbol.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <string_view>

namespace pathwick::workbench {

namespace {
// A new object of the kind's class with default fields, or null.
THostRef<TSheetObject> MakeDefaultObject(int32_t kind) {
    auto up = [](auto ref) { return THostRef<TSheetObject>::Share(ref.Get()); };
    switch (ClassOfKind(kind)) {
    case TObjectClass::Polyline:
        return up(TPolyline::Create(kind));
    case TObjectClass::Line:
        return up(TLineObject::Create(kind, {}, {}));
    case TObjectClass::Label:
        return up(TLabel::Create({}, {}));
    case TObjectClass::Symbol:
        return up(TSymbol::Create({}));
    case TObjectClass::Pin:
        return up(TPin::Create({}, 0, 0));
    case TObjectClass::Graphic:
        return up(TGraphic::Create(kind, {}));
    case TObjectClass::Document:
        break;
    }
    return {};
}
} // namespace

THostResult TEditorService::GetActiveDocument(ISch_Document** document) {
    if (document)
        *document = nullptr;
    const THostResult status = Enter("GetActiveDocument");
    if (!Succeeded(status))
        return status;
    if (!document)
        return HostInvalidArg;
    *document = active_.Get();
    if (*document)
        (*document)->AddRef();
    return HostOk;
}

THostResult TEditorService::NewObject(int32_t kind, int32_t mode, ISch_BasicContainer** object) {
    if (object)
        *object = nullptr;
    const THostResult status = Enter("NewObject");
    if (!Succeeded(status))
        return status;
    if (!object || mode != 0 || KindName(kind).empty())
        return HostInvalidArg;
    THostRef<TSheetObject> made = MakeDefaultObject(kind);
    if (!made)
        return HostInvalidArg;
    made_.push_back(made->Id());
    *object = made->AsContainer();
    (*object)->AddRef();
    return HostOk;
}

void* TEditorService::FindInterface(const TGuid& iid) {
    if (iid == IHostUnknown::IID)
        return static_cast<IHostUnknown*>(this);
    if (iid == ISch_EditorService::IID)
        return static_cast<ISch_EditorService*>(this);
    return nullptr;
}

TWorkbenchClient::TWorkbenchClient(TEditorService& service)
    : service_(THostRef<TEditorService>::Share(&service)) {}

THostResult TWorkbenchClient::FindServerModule(const char16_t* name, IHostUnknown** module) {
    if (module)
        *module = nullptr;
    const THostResult status = Enter("FindServerModule");
    if (!Succeeded(status))
        return status;
    if (!name || !module)
        return HostInvalidArg;
    if (std::u16string_view(name) == u"SCH") {
        *module = static_cast<IHostUnknown*>(static_cast<ISch_EditorService*>(service_.Get()));
        (*module)->AddRef();
    }
    return HostOk;
}

THostResult TWorkbenchClient::GetMainWindow(void** window) {
    const THostResult status = Enter("GetMainWindow");
    if (!Succeeded(status))
        return status;
    if (!window)
        return HostInvalidArg;
    *window = window_;
    return HostOk;
}

THostResult TWorkbenchClient::GetPreferenceLocation(char* buffer, int32_t size, int32_t* length) {
    const THostResult status = Enter("GetPreferenceLocation");
    if (!Succeeded(status))
        return status;
    if (!length || size < 0 || (size > 0 && !buffer))
        return HostInvalidArg;
    // Longer settings than int32_t can count are reported as the maximum.
    *length = static_cast<int32_t>(
        std::min<std::size_t>(location_.size(), std::numeric_limits<int32_t>::max()));
    if (size > 0) {
        const std::size_t n = std::min(location_.size(), static_cast<std::size_t>(size) - 1);
        std::memcpy(buffer, location_.data(), n);
        buffer[n] = '\0';
    }
    return HostOk;
}

void* TWorkbenchClient::FindInterface(const TGuid& iid) {
    if (iid == IHostUnknown::IID)
        return static_cast<IHostUnknown*>(static_cast<IClient*>(this));
    if (iid == IClient::IID)
        return static_cast<IClient*>(this);
    if (iid == IRouteReportSink::IID && ReportSinkActive())
        return static_cast<IRouteReportSink*>(this);
    return nullptr;
}

THostResult TWorkbenchClient::ReportRoute(const TRouteReport& report) {
    const THostResult status = Enter("ReportRoute");
    if (Succeeded(status))
        DeliverRouteReport(report);
    return status;
}

TWorkbenchHost::TWorkbenchHost()
    : service_(MakeHostObject<TEditorService>()),
      client_(MakeHostObject<TWorkbenchClient>(*service_)) {}

TWorkbenchHost& TWorkbenchHost::Instance() {
    static TWorkbenchHost host;
    return host;
}

void TWorkbenchHost::SetPreferenceLocation(std::string location) {
    client_->SetPreferenceLocation(std::move(location));
}

void TWorkbenchHost::Reset() {
    service_->SetActiveDocument(nullptr);
    service_->ClearMadeObjectIds();
    client_->SetMainWindow(nullptr);
    client_->SetPreferenceLocation({});
    HostFaults().Reset();
}

THostResult ProvideClient(IClient** out) {
    if (!out)
        return HostInvalidArg;
    IClient* client = &TWorkbenchHost::Instance().Client();
    client->AddRef();
    *out = client;
    return HostOk;
}

} // namespace pathwick::workbench
