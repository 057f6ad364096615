#include "host/ClientLookup.h"

#include "host/HostCall.h"

namespace pathwick {

namespace {
IClient* g_client = nullptr;
} // namespace

IClient* ModuleClient() {
    return g_client;
}
void SetModuleClient(IClient* client) {
    g_client = client;
}

THostRef<ISch_EditorService> FindSchematicService() {
    if (!g_client)
        return {};
    THostRef<IHostUnknown> module;
    HostCall(g_client->FindServerModule(u"SCH", module.Put()));
    return QueryAs<ISch_EditorService>(module);
}

} // namespace pathwick
