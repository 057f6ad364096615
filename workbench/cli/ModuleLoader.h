// Loads the routing module as a host does: dlopen, then the four exports by name.
#pragma once

#include "plugin/Pathwick.h"

#include <stdexcept>
#include <string>

namespace pathwick {

class EModuleLoadError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class TModule {
public:
    // Loads the module at path; raises EModuleLoadError with the loader's words.
    explicit TModule(const std::string& path);
    ~TModule(); // unloads
    TModule(const TModule&) = delete;
    TModule& operator=(const TModule&) = delete;

    // Where a host looks for the module by default: beside the running executable.
    static std::string DefaultPath();

    const std::string& Path() const { return path_; }

    AutoWirer_CreateFn Create = nullptr;
    AutoWirer_DestroyFn Destroy = nullptr;
    AutoWirer_ExecuteFn Execute = nullptr;
    AutoWirer_OptionsFn Options = nullptr;

private:
    std::string path_;
    void* handle_ = nullptr;
};

} // namespace pathwick
