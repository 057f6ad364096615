// The system's default beep.
#pragma once

#include <cstdint>
#include <functional>

namespace pathwick {

// Sounds the default beep (type 0) through the window system when there is one.
void MessageBeep(uint32_t type);

// Hosts and tests can watch beeps; an empty function stops watching.
void SetBeepObserver(std::function<void(uint32_t)> observer);

} // namespace pathwick
