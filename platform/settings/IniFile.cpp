#include "platform/settings/IniFile.h"

#include "platform/settings/FileStore.h"
#include "platform/settings/IniText.h"

namespace pathwick {

namespace {

// Only whole lines of a truncated read count: the last one may be cut short.
std::string_view WholeLines(const TFileRead& read) {
    std::string_view bytes = read.Bytes;
    if (read.State == TFileRead::EState::Truncated) {
        const size_t newline = bytes.find_last_of('\n');
        bytes = newline == std::string_view::npos ? std::string_view() : bytes.substr(0, newline);
    }
    return bytes;
}

} // namespace

std::string TIniFile::ReadString(std::string_view section, std::string_view key,
                                 std::string_view defaultValue) const {
    const TFileRead read = ReadFileBounded(path_, ReadLimit);
    std::optional<std::string> value;
    if (read.State == TFileRead::EState::Complete || read.State == TFileRead::EState::Truncated)
        value = FindIniValue(WholeLines(read), section, key);
    std::string result = value ? std::move(*value) : std::string(defaultValue);
    if (result.size() > MaxValueLength)
        result.resize(MaxValueLength);
    return result;
}

bool TIniFile::WriteString(std::string_view section, std::string_view key, std::string_view value) {
    if (!IsWritableIniEntry(section, key, value))
        return false;
    const TFileRead read = ReadFileBounded(path_, ReadLimit);
    switch (read.State) {
    case TFileRead::EState::Missing:
    case TFileRead::EState::Complete:
        return !WriteFileAtomically(path_, SetIniValue(read.Bytes, section, key, value));
    case TFileRead::EState::Unreadable:
    case TFileRead::EState::Truncated:
        break;
    }
    return false;
}

} // namespace pathwick
