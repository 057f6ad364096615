#include "workbench/model/FaultPlan.h"

#include <stdexcept>

namespace pathwick::workbench {

uint32_t TFaultPlan::Intern(std::string_view name) {
    const auto it = byName_.find(name);
    if (it != byName_.end())
        return it->second;
    const auto slot = static_cast<uint32_t>(operations_.size());
    operations_.push_back(TOperation{std::string(name), 0, false, {}});
    byName_.emplace(std::string(name), slot);
    return slot;
}

// Names from different translation units may have different addresses; each
// address is matched to its name once.
uint32_t TFaultPlan::OperationOf(const char* operation) {
    const auto it = byAddress_.find(operation);
    if (it != byAddress_.end())
        return it->second;
    const uint32_t slot = Intern(operation);
    byAddress_.emplace(operation, slot);
    return slot;
}

const TFaultPlan::TOperation* TFaultPlan::Find(std::string_view name) const {
    const auto it = byName_.find(name);
    return it == byName_.end() ? nullptr : &operations_[it->second];
}

THostResult TFaultPlan::Enter(const char* operation, uint64_t objectId) {
    const uint64_t serial = ++serial_;
    const uint32_t slot = OperationOf(operation);
    TOperation& op = operations_[slot];
    const uint64_t nth = ++op.Calls;
    if (perObjectOn_)
        ++perObject_[{slot, objectId}];

    bool failed = !failSerials_.empty() && failSerials_.count(serial) != 0;
    if (anyOperationRule_)
        failed = failed || op.FailEvery || op.FailNth.count(nth) != 0;
    if (failed)
        ++failures_;
    if (logging_)
        log_.push_back({serial, op.Name, objectId, failed});
    return failed ? HostFail : HostOk;
}

void TFaultPlan::FailCall(uint64_t serial) {
    failSerials_.insert(serial);
}

void TFaultPlan::FailOperation(std::string operation) {
    operations_[Intern(operation)].FailEvery = true;
    anyOperationRule_ = true;
}

void TFaultPlan::FailOperationCall(std::string operation, uint64_t nth) {
    operations_[Intern(operation)].FailNth.insert(nth);
    anyOperationRule_ = true;
}

void TFaultPlan::ClearRules() {
    failSerials_.clear();
    for (TOperation& op : operations_) {
        op.FailEvery = false;
        op.FailNth.clear();
    }
    anyOperationRule_ = false;
}

void TFaultPlan::Reset() {
    *this = TFaultPlan();
}

uint64_t TFaultPlan::CallCount(std::string_view operation) const {
    const TOperation* op = Find(operation);
    return op ? op->Calls : 0;
}

uint64_t TFaultPlan::CallCount(std::string_view operation, uint64_t objectId) const {
    if (!perObjectOn_)
        throw std::logic_error("per-object call counts are off: SetPerObjectCounts(true) first");
    const auto name = byName_.find(operation);
    if (name == byName_.end())
        return 0;
    const auto it = perObject_.find({name->second, objectId});
    return it == perObject_.end() ? 0 : it->second;
}

TFaultPlan& HostFaults() {
    static TFaultPlan plan;
    return plan;
}

} // namespace pathwick::workbench
