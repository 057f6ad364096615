// Module-wide state: the host's client, the route options and the one session.
#pragma once

#include "options/RouteOptions.h"
#include "plugin/MainApp.h"

#include <memory>

namespace pathwick {

// Created at module load from Router.ini, freed at unload without saving. The
// options dialog is given this variable, not the object.
std::unique_ptr<TRouteOptions>& RouteOptions();

// The session between AutoWirer_Create and AutoWirer_Destroy; empty otherwise.
std::unique_ptr<TMainApp>& Session();

// Puts a new session on the document the host shows now (none without a
// schematic service) into session, then builds its tree from that document.
// The module's sessions follow the mended rules; benchmarks may choose.
// A host error in the build leaves the session in place with the obstacles
// inserted so far, and leaves through this function.
void StartSession(std::unique_ptr<TMainApp>& session, const TRouteOptions& options,
                  const TSpeedUps& speedUps = {}, const TRouteRules& rules = MendedRules);

// Load and unload work, also callable from tests that link the module's code statically.
void LoadModule();
void UnloadModule();

} // namespace pathwick
