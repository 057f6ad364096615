#include "workbench/cli/OutputPaths.h"

#include <sys/stat.h>

#include <filesystem>
#include <stdexcept>

namespace pathwick::workbench {

namespace {

// What a path names: an existing file by device and inode, a file still to be
// made by its path with every link and "." or ".." resolved.
struct TFileIdentity {
    bool Exists = false;
    dev_t Device = 0;
    ino_t Inode = 0;
    std::string Resolved;

    bool operator==(const TFileIdentity& other) const {
        if (Exists != other.Exists)
            return false;
        return Exists ? Device == other.Device && Inode == other.Inode : Resolved == other.Resolved;
    }
};

TFileIdentity IdentityOf(const std::string& path) {
    TFileIdentity id;
    struct stat st {};
    if (::stat(path.c_str(), &st) == 0) {
        id.Exists = true;
        id.Device = st.st_dev;
        id.Inode = st.st_ino;
        return id;
    }
    std::error_code error;
    const std::filesystem::path resolved =
        std::filesystem::weakly_canonical(std::filesystem::absolute(path, error), error);
    id.Resolved = error ? path : resolved.string();
    return id;
}

} // namespace

void CheckOutputPaths(const std::string& input, const std::vector<TOutputPath>& outputs) {
    const TFileIdentity in = IdentityOf(input);
    std::vector<std::pair<const TOutputPath*, TFileIdentity>> seen;
    for (const TOutputPath& out : outputs) {
        if (out.Path.empty())
            continue;
        const TFileIdentity id = IdentityOf(out.Path);
        if (!out.MayBeInput && id == in)
            throw std::invalid_argument(out.Option + " " + out.Path + " is the input sheet " +
                                        input + "; write it to another file");
        for (const auto& [other, otherId] : seen)
            if (id == otherId)
                throw std::invalid_argument(other->Option + " " + other->Path + " and " +
                                            out.Option + " " + out.Path +
                                            " are the same file; give each output its own");
        seen.emplace_back(&out, id);
    }
}

} // namespace pathwick::workbench
