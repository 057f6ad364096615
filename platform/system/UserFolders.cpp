#include "platform/system/UserFolders.h"

#include "host/HostCall.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <pwd.h>
#include <system_error>
#include <unistd.h>
#include <vector>

namespace pathwick {

namespace {

std::string Environment(const char* name) {
    const char* value = std::getenv(name);
    return value ? std::string(value) : std::string();
}

bool IsAbsolute(const std::string& path) {
    return !path.empty() && path.front() == '/';
}

std::string Join(const std::string& folder, const std::string& name) {
    if (folder.ends_with('/'))
        return folder + name;
    return folder + "/" + name;
}

std::string AccountHome() {
    std::vector<char> buffer(16384);
    passwd entry{};
    passwd* found = nullptr;
    if (::getpwuid_r(::getuid(), &entry, buffer.data(), buffer.size(), &found) != 0 || !found ||
        !found->pw_dir)
        return {};
    return found->pw_dir;
}

std::string HomeFolder() {
    if (std::string home = Environment("HOME"); IsAbsolute(home))
        return home;
    if (std::string home = AccountHome(); IsAbsolute(home))
        return home;
    std::error_code error;
    const std::filesystem::path temp = std::filesystem::temp_directory_path(error);
    return error ? std::string("/tmp") : temp.string();
}

// The client's setting; the client tells the full length, so a setting that
// does not fit the first buffer is asked for again in full.
std::string PreferenceLocation(IClient& client) {
    // Far more than any folder name; a client that claims more is cut here.
    constexpr int32_t maxLength = 32767;
    std::vector<char> buffer(261);
    for (;;) {
        int32_t length = 0;
        const int32_t size = static_cast<int32_t>(buffer.size());
        HostCall(client.GetPreferenceLocation(buffer.data(), size, &length));
        if (length < 0)
            length = 0;
        if (length < size || size > maxLength) {
            // Trust the terminating zero only inside the buffer.
            buffer.back() = '\0';
            return std::string(buffer.data());
        }
        buffer.assign(static_cast<size_t>(std::min(length, maxLength)) + 1, '\0');
    }
}

} // namespace

std::string UserAppDataFolder() {
    if (std::string config = Environment("XDG_CONFIG_HOME"); IsAbsolute(config))
        return config;
    return Join(HomeFolder(), ".config");
}

std::string HostPreferenceFolder(IClient* client) {
    std::string location = client ? PreferenceLocation(*client) : std::string();
    if (IsAbsolute(location))
        return location;
    if (location.empty())
        location = DefaultPreferenceFolderName;
    return Join(UserAppDataFolder(), location);
}

} // namespace pathwick
