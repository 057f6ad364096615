// The results with which a modal dialog closes.
#pragma once

namespace pathwick {

inline constexpr int ModalNone = 0;
inline constexpr int ModalOK = 1;
inline constexpr int ModalCancel = 2;

} // namespace pathwick
