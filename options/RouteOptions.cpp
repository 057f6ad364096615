#include "options/RouteOptions.h"

#include "platform/settings/IniFile.h"
#include "platform/settings/IntegerText.h"
#include "platform/settings/WriteError.h"

#include <filesystem>
#include <system_error>

namespace pathwick {

namespace {

constexpr std::string_view Section = "Options";
constexpr std::string_view TimeOutKey = "TimeOut";
constexpr std::string_view AvoidWiresKey = "Avoid Wires Position";

constexpr int32_t DefaultTimeOut = 3000;
constexpr int32_t MaxTimeOut = 600000;
constexpr int32_t DefaultAvoidWires = 1;
constexpr int32_t MaxAvoidWires = 10;

std::string JoinFileName(const std::string& folder, std::string_view name) {
    if (folder.empty())
        return std::string(name);
    return folder.ends_with('/') ? folder + std::string(name) : folder + "/" + std::string(name);
}

// The value of text when it is an integer within low..high, else fallback.
int32_t ValueInRange(const std::string& text, int32_t fallback, int32_t low, int32_t high) {
    const std::optional<int32_t> value = ParseIntegerText(text);
    if (!value || *value < low || *value > high)
        return fallback;
    return *value;
}

} // namespace

TRouteOptions::TRouteOptions(const std::string& folder) {
    // One level only: a folder whose parent is missing is not made, and a
    // failure shows up as defaults now and as the write error on saving.
    std::error_code ignored;
    if (!folder.empty())
        std::filesystem::create_directory(folder, ignored);
    file_ = std::make_unique<TIniFile>(JoinFileName(folder, "Router.ini"));
    LoadFromFile();
}

TRouteOptions::~TRouteOptions() = default;

void TRouteOptions::LoadFromFile() {
    const std::string timeOut = file_->ReadString(Section, TimeOutKey, "3000");
    const std::string avoidWires = file_->ReadString(Section, AvoidWiresKey, "0");
    TimeOut = ValueInRange(timeOut, DefaultTimeOut, 1, MaxTimeOut);
    // A missing key reads "0", which is out of range and so gives the default.
    AvoidWiresPosition = ValueInRange(avoidWires, DefaultAvoidWires, 1, MaxAvoidWires);
}

void TRouteOptions::SaveToFile() {
    if (!file_->WriteString(Section, TimeOutKey, std::to_string(TimeOut)))
        throw EWriteError(file_->Path());
    if (!file_->WriteString(Section, AvoidWiresKey, std::to_string(AvoidWiresPosition)))
        throw EWriteError(file_->Path());
}

const std::string& TRouteOptions::FilePath() const {
    return file_->Path();
}

} // namespace pathwick
