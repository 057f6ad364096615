#include "host/HostCall.h"

#include <cstdio>

namespace pathwick {

namespace {
std::string DescribeStatus(THostResult status) {
    char text[64];
    std::snprintf(text, sizeof text, "Host call failed with status 0x%08X",
                  static_cast<unsigned>(status));
    return text;
}
} // namespace

EHostCallError::EHostCallError(THostResult status)
    : std::runtime_error(DescribeStatus(status)), status_(status) {}

} // namespace pathwick
