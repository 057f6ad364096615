#include "workbench/cli/ReplacementWatch.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace pathwick::workbench {

TReplacementWatch::TReplacementWatch(std::string path) : path_(std::move(path)) {
    // O_PATH: no read permission needed, and a special file is not opened for I/O.
    fd_ = ::open(path_.c_str(), O_PATH | O_CLOEXEC);
}

TReplacementWatch::~TReplacementWatch() {
    if (fd_ >= 0)
        ::close(fd_);
}

bool TReplacementWatch::Replaced() const {
    struct stat now {};
    if (::stat(path_.c_str(), &now) != 0 || !S_ISREG(now.st_mode))
        return false;
    struct stat before {};
    if (fd_ < 0 || ::fstat(fd_, &before) != 0)
        return true;
    return now.st_dev != before.st_dev || now.st_ino != before.st_ino;
}

} // namespace pathwick::workbench
