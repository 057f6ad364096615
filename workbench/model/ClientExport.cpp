// The host executable's export through which a loaded module finds the client.
#include "workbench/model/WorkbenchHost.h"

using pathwick::IClient;

// Stores the process-wide client. No reference is added: the host keeps the
// client for the life of the process and a module holds no count of its own.
extern "C" __attribute__((visibility("default"))) void ClientAPI_GetClientInterface(IClient** out) {
    if (out)
        *out = &pathwick::workbench::TWorkbenchHost::Instance().Client();
}
