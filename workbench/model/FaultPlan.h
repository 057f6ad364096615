// Counting and failing host operations on purpose, for tests.
#pragma once

#include "host/HostTypes.h"

#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

namespace pathwick::workbench {

// Sees every host operation of the workbench host except AddRef and Release
// (QueryInterface included). Counts them in total and per operation, per
// operation on each object when asked to, optionally logs them, and makes
// chosen calls fail with HostFail: the failing operation then has no effect.
// Calls are numbered from 1 since the last Reset.
//
// A call costs a counter and a lookup of its name's pointer, so that a host
// that plans no fault and logs nothing runs nearly as fast as without the plan.
class TFaultPlan {
public:
    struct TCall {
        uint64_t Serial = 0;
        std::string Operation;
        uint64_t ObjectId = 0;
        bool Failed = false;
    };

    // Counts one call of `operation` on the object `objectId`; HostFail when
    // a rule makes it fail, else HostOk. The name must live as long as the
    // process (a string literal): calls are told apart by its address.
    THostResult Enter(const char* operation, uint64_t objectId);

    // Rules; several may be active at once.
    void FailCall(uint64_t serial);                              // the serial-th call
    void FailOperation(std::string operation);                   // every call of it
    void FailOperationCall(std::string operation, uint64_t nth); // its nth call
    void ClearRules();
    // Rules, counts and log back to the start; logging and per-object counts off.
    void Reset();

    uint64_t CallCount() const { return serial_; }
    uint64_t CallCount(std::string_view operation) const;
    // Calls of the operation on one object, counted since per-object counting
    // was switched on; raises std::logic_error while it is off.
    uint64_t CallCount(std::string_view operation, uint64_t objectId) const;
    uint64_t FailureCount() const { return failures_; }

    // Per-object counts cost a map entry for every object and operation, so
    // they are kept only while a test asks for them.
    void SetPerObjectCounts(bool on) { perObjectOn_ = on; }
    void SetLogging(bool on) { logging_ = on; }
    const std::vector<TCall>& Log() const { return log_; }

private:
    // One operation name with its count and the rules that name it.
    struct TOperation {
        std::string Name;
        uint64_t Calls = 0;
        bool FailEvery = false;
        std::set<uint64_t> FailNth;
    };
    uint32_t Intern(std::string_view name);
    uint32_t OperationOf(const char* operation);
    const TOperation* Find(std::string_view name) const;

    uint64_t serial_ = 0;
    uint64_t failures_ = 0;
    std::vector<TOperation> operations_;
    std::map<std::string, uint32_t, std::less<>> byName_;
    std::unordered_map<const char*, uint32_t> byAddress_;
    std::set<uint64_t> failSerials_;
    bool anyOperationRule_ = false;
    bool perObjectOn_ = false;
    std::map<std::pair<uint32_t, uint64_t>, uint64_t> perObject_;
    bool logging_ = false;
    std::vector<TCall> log_;
};

// The host's one fault plan.
TFaultPlan& HostFaults();

} // namespace pathwick::workbench
