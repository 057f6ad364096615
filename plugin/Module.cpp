#include "plugin/Module.h"

#include "host/ClientLookup.h"
#include "host/HostCall.h"
#include "platform/system/UserFolders.h"

#include <dlfcn.h>

#include <new>
#include <utility>

namespace pathwick {

namespace {

// The host executable's export that hands out its client.
using TGetClientFunction = void (*)(IClient**);
constexpr const char* GetClientName = "ClientAPI_GetClientInterface";

IClient* LookUpHostClient() {
    // The host process's own symbols (and those loaded before this module).
    void* symbol = dlsym(RTLD_DEFAULT, GetClientName);
    if (!symbol)
        return nullptr;
    TGetClientFunction getClient = nullptr;
    static_assert(sizeof getClient == sizeof symbol);
    __builtin_memcpy(&getClient, &symbol, sizeof getClient);
    IClient* client = nullptr;
    getClient(&client);
    return client;
}

} // namespace

std::unique_ptr<TRouteOptions>& RouteOptions() {
    // The module's unload frees the options. The holder itself is never
    // destroyed: a host that exits with the module still loaded runs the exit
    // handlers before the module's unload, and a holder destroyed by them
    // would then be freed a second time. Its storage goes with the module.
    alignas(std::unique_ptr<TRouteOptions>) static unsigned char
        storage[sizeof(std::unique_ptr<TRouteOptions>)];
    static std::unique_ptr<TRouteOptions>* const Holder =
        new (storage) std::unique_ptr<TRouteOptions>();
    return *Holder;
}

std::unique_ptr<TMainApp>& Session() {
    // A session that still exists when the module is unloaded is let go, not
    // freed (the host's objects it holds may be gone); the host ends sessions
    // with AutoWirer_Destroy. The holder itself goes with the module, so a
    // module that is loaded and unloaded again and again leaks nothing.
    struct TSessionHolder {
        std::unique_ptr<TMainApp> Session;
        ~TSessionHolder() { static_cast<void>(Session.release()); }
    };
    static TSessionHolder holder;
    return holder.Session;
}

void StartSession(std::unique_ptr<TMainApp>& session, const TRouteOptions& options,
                  const TSpeedUps& speedUps, const TRouteRules& rules) {
    THostRef<ISch_Document> document;
    if (THostRef<ISch_EditorService> service = FindSchematicService())
        HostCall(service->GetActiveDocument(document.Put()));
    session = std::make_unique<TMainApp>(std::move(document), rules, speedUps);
    session->BuildObstacleTree(options);
}

void LoadModule() {
    // Without the host function the module has no client: sessions then have
    // no document and route nothing.
    SetModuleClient(LookUpHostClient());
    RouteOptions() = std::make_unique<TRouteOptions>(HostPreferenceFolder(ModuleClient()));
}

void UnloadModule() {
    RouteOptions().reset();
    SetModuleClient(nullptr);
}

} // namespace pathwick
