// Counting and failing host operations on purpose, for tests.
#pragma once

#include "host/HostTypes.h"

#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace pathwick::workbench {

// Sees every host operation of the workbench host except AddRef and Release
// (QueryInterface included). Counts them in total, per operation and per
// operation on each object, optionally logs them, and makes chosen calls fail
// with kHostFail: the failing operation then has no effect. Calls are numbered
// from 1 since the last Reset.
class TFaultPlan {
public:
    struct TCall {
        uint64_t Serial = 0;
        std::string Operation;
        uint64_t ObjectId = 0;
        bool Failed = false;
    };

    // Counts one call of `operation` on the object `objectId`; kHostFail when
    // a rule makes it fail, else kHostOk.
    HResult Enter(std::string_view operation, uint64_t objectId);

    // Rules; several may be active at once.
    void FailCall(uint64_t serial);                              // the serial-th call
    void FailOperation(std::string operation);                   // every call of it
    void FailOperationCall(std::string operation, uint64_t nth); // its nth call
    void ClearRules();
    // Rules, counts and log back to the start; logging off.
    void Reset();

    uint64_t CallCount() const { return serial_; }
    uint64_t CallCount(std::string_view operation) const;
    uint64_t CallCount(std::string_view operation, uint64_t objectId) const;
    uint64_t FailureCount() const { return failures_; }

    void SetLogging(bool on) { logging_ = on; }
    const std::vector<TCall>& Log() const { return log_; }

private:
    uint64_t serial_ = 0;
    uint64_t failures_ = 0;
    std::set<uint64_t> failSerials_;
    std::set<std::string, std::less<>> failOperations_;
    std::set<std::pair<std::string, uint64_t>> failOperationCalls_;
    std::map<std::string, uint64_t, std::less<>> perOperation_;
    std::map<std::pair<std::string, uint64_t>, uint64_t> perObject_;
    bool logging_ = false;
    std::vector<TCall> log_;
};

// The host's one fault plan.
TFaultPlan& HostFaults();

} // namespace pathwick::workbench
