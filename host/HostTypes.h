// Plain records and status codes shared by the module and its host.
#pragma once

#include <cstdint>

namespace pathwick {

// A point in sheet units; x grows to the right, y grows upward.
struct TSheetPoint {
    int32_t X = 0;
    int32_t Y = 0;
    friend bool operator==(const TSheetPoint&, const TSheetPoint&) = default;
};

// The host's rectangle record, in the host's field order.
struct TSheetRect {
    int32_t Left = 0;
    int32_t Bottom = 0;
    int32_t Right = 0;
    int32_t Top = 0;
    friend bool operator==(const TSheetRect&, const TSheetRect&) = default;
};

// Status of a host operation: zero or positive is success, negative is failure.
using THostResult = int32_t;
inline constexpr THostResult HostOk = 0;
inline constexpr THostResult HostFail = static_cast<THostResult>(0x80004005u);
inline constexpr THostResult HostNoInterface = static_cast<THostResult>(0x80004002u);
inline constexpr THostResult HostInvalidArg = static_cast<THostResult>(0x80070057u);
inline constexpr THostResult HostOutOfMemory = static_cast<THostResult>(0x8007000Eu);

inline constexpr bool Succeeded(THostResult status) {
    return status >= 0;
}

// Interface identifier.
struct TGuid {
    uint32_t Data1 = 0;
    uint16_t Data2 = 0;
    uint16_t Data3 = 0;
    uint8_t Data4[8] = {};
    friend bool operator==(const TGuid&, const TGuid&) = default;
};

} // namespace pathwick
