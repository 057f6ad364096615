// The results with which a modal dialog closes.
#pragma once

namespace pathwick {

inline constexpr int kModalNone = 0;
inline constexpr int kModalOK = 1;
inline constexpr int kModalCancel = 2;

} // namespace pathwick
