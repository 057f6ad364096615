// A host client for tests: reports a main window handle and a preference
// location, or fails.
#pragma once

#include "host/HostInterfaces.h"

#include <algorithm>
#include <cstring>
#include <optional>
#include <string>

namespace pathwick::test {

class TFakeClient final : public IClient {
public:
    void* MainWindow = nullptr;
    std::string Location;
    std::optional<int32_t> ClaimedLength; // reported instead of the true length
    THostResult Status = HostOk;
    int LocationCalls = 0;

    THostResult QueryInterface(const TGuid&, void** out) override {
        *out = nullptr;
        return HostNoInterface;
    }
    uint32_t AddRef() override { return 1; }
    uint32_t Release() override { return 1; }
    THostResult FindServerModule(const char16_t*, IHostUnknown** module) override {
        *module = nullptr;
        return HostOk;
    }
    THostResult GetMainWindow(void** window) override {
        *window = MainWindow;
        return Status;
    }
    THostResult GetPreferenceLocation(char* buffer, int32_t size, int32_t* length) override {
        ++LocationCalls;
        if (Status < 0)
            return Status;
        const size_t n = std::min(Location.size(), static_cast<size_t>(size - 1));
        std::memcpy(buffer, Location.data(), n);
        buffer[n] = '\0';
        *length = ClaimedLength.value_or(static_cast<int32_t>(Location.size()));
        return HostOk;
    }
};

} // namespace pathwick::test
