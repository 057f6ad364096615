// An initialisation file bound to one path, read and written key by key.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace pathwick {

// Every call goes to the file: there is no cache, so each read sees the file
// as it is and each write is on the disk when the call returns.
//
// Files are small by nature; only the first ReadLimit bytes of a file are
// looked at, and a larger file is never rewritten (its write is refused)
// because it could not be kept byte for byte.
class TIniFile {
public:
    static constexpr size_t ReadLimit = size_t{16} << 20;
    // A value is read as at most this many bytes.
    static constexpr size_t MaxValueLength = 2047;

    explicit TIniFile(std::string path) : path_(std::move(path)) {}

    const std::string& Path() const { return path_; }

    // The value of key in section (names without regard to case, spaces
    // round keys and values trimmed), or defaultValue when the file, the
    // section or the key is missing or the file cannot be read.
    std::string ReadString(std::string_view section, std::string_view key,
                           std::string_view defaultValue) const;

    // Sets key in section to value and replaces the file atomically; a new
    // file uses "\n" line ends, an existing one keeps its own. Returns false,
    // with the file unchanged, when the write is refused: the entry cannot be
    // written as one line (a line break, see IsWritableIniEntry), the file is
    // unreadable or too large, or the system refuses the write.
    bool WriteString(std::string_view section, std::string_view key, std::string_view value);

private:
    std::string path_;
};

} // namespace pathwick
