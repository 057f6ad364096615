#include "workbench/cli/ModuleLoader.h"

#include <dlfcn.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>

namespace pathwick {

namespace {

template <class Fn> Fn LookUp(void* handle, const char* name, const std::string& path) {
    void* symbol = dlsym(handle, name);
    if (!symbol)
        throw EModuleLoadError(path + ": the module does not export " + name);
    Fn fn = nullptr;
    static_assert(sizeof fn == sizeof symbol);
    std::memcpy(&fn, &symbol, sizeof fn);
    return fn;
}

} // namespace

TModule::TModule(const std::string& path) : path_(path) {
    handle_ = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!handle_) {
        const char* why = dlerror();
        throw EModuleLoadError("cannot load the routing module " + path + ": " +
                               (why ? why : "unknown error"));
    }
    try {
        Create = LookUp<AutoWirer_CreateFn>(handle_, "AutoWirer_Create", path);
        Destroy = LookUp<AutoWirer_DestroyFn>(handle_, "AutoWirer_Destroy", path);
        Execute = LookUp<AutoWirer_ExecuteFn>(handle_, "AutoWirer_Execute", path);
        Options = LookUp<AutoWirer_OptionsFn>(handle_, "AutoWirer_Options", path);
    } catch (...) {
        dlclose(handle_);
        throw;
    }
}

TModule::~TModule() {
    if (handle_)
        dlclose(handle_);
}

std::string TModule::DefaultPath() {
    std::error_code error;
    const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error)
        return "libPathwick.so";
    return (self.parent_path() / "libPathwick.so").string();
}

} // namespace pathwick
