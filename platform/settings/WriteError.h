// The error raised when the settings file cannot be written.
#pragma once

#include <stdexcept>
#include <string>

namespace pathwick {

class EWriteError : public std::runtime_error {
public:
    explicit EWriteError(const std::string& path)
        : std::runtime_error("Unable to write to " + path), path_(path) {}
    const std::string& Path() const { return path_; }

private:
    std::string path_;
};

} // namespace pathwick
