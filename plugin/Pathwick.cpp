// The exported entry points. Errors are not caught: they leave through the
// export to the host, after the interrupted work has released what it held.
#include "plugin/Pathwick.h"

#include "options/OptionsForm.h"
#include "plugin/Module.h"

#include <cstdio>
#include <exception>

using namespace pathwick;

namespace {

// Runs at dlopen and dlclose. Nothing may escape into the loader: a failure to
// set up is told on stderr and leaves the module without options, so that every
// entry point does nothing.
__attribute__((constructor)) void OnModuleLoad() {
    try {
        LoadModule();
    } catch (const std::exception& e) {
        std::fprintf(stderr, "Pathwick: the module could not start: %s\n", e.what());
        RouteOptions().reset();
    }
}

__attribute__((destructor)) void OnModuleUnload() {
    UnloadModule();
}

} // namespace

PATHWICK_EXPORT void AutoWirer_Create() {
    auto& session = Session();
    if (session || !RouteOptions())
        return;
    StartSession(session, *RouteOptions());
}

PATHWICK_EXPORT void AutoWirer_Destroy() {
    Session().reset();
}

PATHWICK_EXPORT uint8_t AutoWirer_Execute(ISch_Wire* wire, int32_t x1, int32_t y1, int32_t x2,
                                          int32_t y2) {
    auto& session = Session();
    if (!session || !RouteOptions())
        return 0;
    // Our own reference on the wire for the duration of the call.
    const THostRef<ISch_Wire> held = THostRef<ISch_Wire>::Share(wire);
    return session->RouteSegment(held.Get(), TSheetPoint{x1, y1}, TSheetPoint{x2, y2},
                                 *RouteOptions())
               ? 1
               : 0;
}

PATHWICK_EXPORT void AutoWirer_Options() {
    auto& options = RouteOptions();
    if (!options)
        return;
    if (RunOptionsDialog(options) == 1)
        options->SaveToFile();
}
