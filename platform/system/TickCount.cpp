#include "platform/system/TickCount.h"

#include <chrono>
#include <utility>

namespace pathwick {

namespace {
std::function<uint32_t()>& Source() {
    static std::function<uint32_t()> source;
    return source;
}
} // namespace

uint32_t GetTickCount() {
    if (const auto& source = Source())
        return source();
    const auto now = std::chrono::steady_clock::now().time_since_epoch();
    const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(now).count();
    return static_cast<uint32_t>(static_cast<uint64_t>(ms));
}

void SetTickSource(std::function<uint32_t()> source) {
    Source() = std::move(source);
}

} // namespace pathwick
