// The per-user folders where the host and its modules keep their settings.
#pragma once

#include <string>

namespace pathwick {

class IClient;

// The host's folder name when its installation names none.
inline constexpr const char* DefaultPreferenceFolderName = "Vorelline";

// The per-user application-data folder: $XDG_CONFIG_HOME when it holds an
// absolute path, else $HOME/.config; without a usable HOME, the home folder
// of the user's account, and as a last resort the system's temporary folder.
// Not created here.
std::string UserAppDataFolder();

// The host's per-user preference folder, from the client's preference
// location: an absolute path as it is, a relative name below the
// application-data folder, and with no client or an empty setting the
// host's default name below it. A failing client call raises
// EHostCallError. Not created here.
std::string HostPreferenceFolder(IClient* client);

} // namespace pathwick
