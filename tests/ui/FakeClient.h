// A host client for dialog tests: reports a main window handle, or fails.
#pragma once

#include "host/HostInterfaces.h"

namespace pathwick::test {

class TFakeClient final : public IClient {
public:
    void* MainWindow = nullptr;
    HResult Status = kHostOk;

    HResult QueryInterface(const TGuid&, void** out) override {
        *out = nullptr;
        return kHostNoInterface;
    }
    uint32_t AddRef() override { return 1; }
    uint32_t Release() override { return 1; }
    HResult FindServerModule(const char16_t*, IHostUnknown** module) override {
        *module = nullptr;
        return kHostOk;
    }
    HResult GetMainWindow(void** window) override {
        *window = MainWindow;
        return Status;
    }
    HResult GetPreferenceLocation(char* buffer, int32_t size, int32_t* length) override {
        if (size > 0)
            buffer[0] = '\0';
        *length = 0;
        return kHostOk;
    }
};

} // namespace pathwick::test
