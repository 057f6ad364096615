// The module's four exported functions, as a host declares them.
#pragma once

#include <cstdint>

namespace pathwick {
class ISch_Wire;
}

#define PATHWICK_EXPORT extern "C" __attribute__((visibility("default")))

// Starts the routing session on the current document and builds its obstacles.
PATHWICK_EXPORT void AutoWirer_Create();
// Ends the session and frees its obstacles.
PATHWICK_EXPORT void AutoWirer_Destroy();
// Routes the wire's last segment from (x1, y1) to (x2, y2); 1 when the path was
// written into the wire, 0 otherwise.
PATHWICK_EXPORT uint8_t AutoWirer_Execute(pathwick::ISch_Wire* wire, int32_t x1, int32_t y1,
                                          int32_t x2, int32_t y2);
// Shows the options dialog; OK saves Router.ini.
PATHWICK_EXPORT void AutoWirer_Options();

// Pointer types a host uses after dlsym.
using AutoWirer_CreateFn = void (*)();
using AutoWirer_DestroyFn = void (*)();
using AutoWirer_ExecuteFn = uint8_t (*)(pathwick::ISch_Wire*, int32_t, int32_t, int32_t, int32_t);
using AutoWirer_OptionsFn = void (*)();
