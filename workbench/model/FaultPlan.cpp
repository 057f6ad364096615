#include "workbench/model/FaultPlan.h"

namespace pathwick::workbench {

HResult TFaultPlan::Enter(std::string_view operation, uint64_t objectId) {
    const uint64_t serial = ++serial_;
    auto it = perOperation_.find(operation);
    if (it == perOperation_.end())
        it = perOperation_.emplace(std::string(operation), 0).first;
    const uint64_t nth = ++it->second;
    ++perObject_[{it->first, objectId}];

    const bool failed = failSerials_.count(serial) != 0 ||
                        failOperations_.find(operation) != failOperations_.end() ||
                        failOperationCalls_.count({it->first, nth}) != 0;
    if (failed)
        ++failures_;
    if (logging_)
        log_.push_back({serial, it->first, objectId, failed});
    return failed ? kHostFail : kHostOk;
}

void TFaultPlan::FailCall(uint64_t serial) {
    failSerials_.insert(serial);
}

void TFaultPlan::FailOperation(std::string operation) {
    failOperations_.insert(std::move(operation));
}

void TFaultPlan::FailOperationCall(std::string operation, uint64_t nth) {
    failOperationCalls_.insert({std::move(operation), nth});
}

void TFaultPlan::ClearRules() {
    failSerials_.clear();
    failOperations_.clear();
    failOperationCalls_.clear();
}

void TFaultPlan::Reset() {
    *this = TFaultPlan();
}

uint64_t TFaultPlan::CallCount(std::string_view operation) const {
    const auto it = perOperation_.find(operation);
    return it == perOperation_.end() ? 0 : it->second;
}

uint64_t TFaultPlan::CallCount(std::string_view operation, uint64_t objectId) const {
    const auto it = perObject_.find({std::string(operation), objectId});
    return it == perObject_.end() ? 0 : it->second;
}

TFaultPlan& HostFaults() {
    static TFaultPlan plan;
    return plan;
}

} // namespace pathwick::workbench
