#include "platform/settings/FileStore.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <optional>

namespace pathwick {

namespace {

// Closes a descriptor when it goes out of scope.
class TFd {
public:
    explicit TFd(int fd) : fd_(fd) {}
    ~TFd() {
        if (fd_ >= 0)
            ::close(fd_);
    }
    TFd(const TFd&) = delete;
    TFd& operator=(const TFd&) = delete;
    int Get() const { return fd_; }
    // Closes now and reports whether the close succeeded (a late write error
    // can show up only here).
    bool Close() {
        const int fd = fd_;
        fd_ = -1;
        return fd < 0 || ::close(fd) == 0;
    }

private:
    int fd_;
};

std::function<int(EWriteStep)>& WriteFault() {
    static std::function<int(EWriteStep)> fault;
    return fault;
}

// The errno a test makes the step fail with, or 0.
int InjectedFault(EWriteStep step) {
    const auto& fault = WriteFault();
    return fault ? fault(step) : 0;
}

std::error_code SystemError(int error) {
    return {error, std::generic_category()};
}

// The one refusal the system has no errno for: a pipe, device or socket
// where a file is to be written.
class TFileStoreCategory final : public std::error_category {
public:
    const char* name() const noexcept override { return "file store"; }
    std::string message(int) const override { return "not a regular file"; }
};

std::error_code NotRegularFile() {
    static const TFileStoreCategory Category;
    return {1, Category};
}

// Writes every byte; on failure returns the system's reason.
std::error_code WriteAll(int fd, std::string_view bytes) {
    size_t done = 0;
    while (done < bytes.size()) {
        if (const int injected = InjectedFault(EWriteStep::Write))
            return SystemError(injected);
        const size_t chunk = std::min(WriteChunk, bytes.size() - done);
        const ssize_t n = ::write(fd, bytes.data() + done, chunk);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return SystemError(errno);
        }
        done += static_cast<size_t>(n);
    }
    return {};
}

std::string DirectoryOf(const std::string& path) {
    const size_t slash = path.find_last_of('/');
    if (slash == std::string::npos)
        return ".";
    if (slash == 0)
        return "/";
    return path.substr(0, slash);
}

std::string NameOf(const std::string& path) {
    const size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// The file that a write really replaces: path itself, or the target of the
// symbolic link it names. Empty, with error set, for a dangling or looping link.
std::optional<std::string> WriteTarget(const std::string& path, std::error_code& error) {
    struct stat st {};
    if (::lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode))
        return path;
    char resolved[PATH_MAX];
    if (::realpath(path.c_str(), resolved) == nullptr) {
        error = SystemError(errno);
        return std::nullopt;
    }
    return std::string(resolved);
}

// Creates a new, empty temporary file beside target; returns its descriptor
// and fills tempPath.
int CreateTemporary(const std::string& target, std::string& tempPath) {
    if (const int injected = InjectedFault(EWriteStep::Create)) {
        errno = injected;
        return -1;
    }
    static std::atomic<unsigned> counter{0};
    const std::string stem =
        DirectoryOf(target) + "/." + NameOf(target) + "." + std::to_string(::getpid()) + ".";
    for (int attempt = 0; attempt < 100; ++attempt) {
        tempPath = stem + std::to_string(counter.fetch_add(1)) + ".tmp";
        const int fd = ::open(tempPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST)
            return fd;
    }
    return -1;
}

void SyncDirectory(const std::string& dir) {
    // Makes the rename durable. Some file systems cannot sync a directory;
    // the new file is in place either way, so a failure here is not reported.
    TFd fd(::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (fd.Get() >= 0)
        ::fsync(fd.Get());
}

} // namespace

TFileRead ReadFileBounded(const std::string& path, size_t limit) {
    TFileRead result;
    TFd fd(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    if (fd.Get() < 0) {
        if (errno != ENOENT && errno != ENOTDIR && errno != ENXIO)
            result.State = TFileRead::EState::Unreadable;
        return result;
    }
    struct stat st {};
    if (::fstat(fd.Get(), &st) != 0) {
        result.State = TFileRead::EState::Unreadable;
        return result;
    }
    if (!S_ISREG(st.st_mode))
        return result;

    // One byte beyond the limit tells a file of exactly limit bytes from a larger one.
    std::string bytes;
    char buffer[65536];
    while (bytes.size() <= limit) {
        const ssize_t n = ::read(fd.Get(), buffer, sizeof buffer);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            result.State = TFileRead::EState::Unreadable;
            return result;
        }
        if (n == 0)
            break;
        bytes.append(buffer, static_cast<size_t>(n));
    }
    if (bytes.size() > limit) {
        bytes.resize(limit);
        result.State = TFileRead::EState::Truncated;
    } else {
        result.State = TFileRead::EState::Complete;
    }
    result.Bytes = std::move(bytes);
    return result;
}

std::error_code WriteFileAtomically(const std::string& path, std::string_view bytes) {
    std::error_code error;
    const std::optional<std::string> target = WriteTarget(path, error);
    if (!target)
        return error;

    struct stat existing {};
    const bool exists = ::stat(target->c_str(), &existing) == 0;
    if (exists) {
        if (S_ISDIR(existing.st_mode))
            return SystemError(EISDIR);
        if (!S_ISREG(existing.st_mode))
            return NotRegularFile();
        // The rename would replace even a read-only file; refuse what a
        // write into the file itself would be refused.
        if (::access(target->c_str(), W_OK) != 0)
            return SystemError(errno);
    } else if (errno != ENOENT) {
        return SystemError(errno);
    }

    std::string tempPath;
    TFd fd(CreateTemporary(*target, tempPath));
    if (fd.Get() < 0)
        return SystemError(errno);

    error = WriteAll(fd.Get(), bytes);
    if (!error && exists) {
        if (::fchmod(fd.Get(), existing.st_mode & 07777) != 0)
            error = SystemError(errno);
        // Keeping the owner matters only when a privileged process writes
        // someone else's file; an unprivileged process cannot and need not.
        if (!error && existing.st_uid != ::geteuid() &&
            ::fchown(fd.Get(), existing.st_uid, existing.st_gid) != 0) {
            // Best effort: the file then belongs to the writer.
        }
    }
    if (!error) {
        if (const int injected = InjectedFault(EWriteStep::Sync))
            error = SystemError(injected);
        else if (::fsync(fd.Get()) != 0)
            error = SystemError(errno);
    }
    // A late write error can show up only at the close.
    if (!fd.Close() && !error)
        error = SystemError(errno);
    if (!error) {
        if (const int injected = InjectedFault(EWriteStep::Rename))
            error = SystemError(injected);
        else if (::rename(tempPath.c_str(), target->c_str()) != 0)
            error = SystemError(errno);
    }
    if (error) {
        ::unlink(tempPath.c_str());
        return error;
    }
    SyncDirectory(DirectoryOf(*target));
    return {};
}

void SetWriteFault(std::function<int(EWriteStep)> fault) {
    WriteFault() = std::move(fault);
}

} // namespace pathwick
