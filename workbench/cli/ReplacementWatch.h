// Tells whether a file was replaced (written anew) while the watch lived.
#pragma once

#include <string>

namespace pathwick::workbench {

// The module's options dialog saves Router.ini on OK and leaves it alone on
// Cancel; its atomic save puts a new file in the old one's place, and that is
// what a host can see. The watch keeps the old file open, so that its inode
// number cannot be reused by the new file.
class TReplacementWatch {
public:
    explicit TReplacementWatch(std::string path);
    ~TReplacementWatch();
    TReplacementWatch(const TReplacementWatch&) = delete;
    TReplacementWatch& operator=(const TReplacementWatch&) = delete;

    // A regular file now stands at the path that was not there when the
    // watch began.
    bool Replaced() const;

private:
    std::string path_;
    int fd_ = -1; // the file that was there, or -1
};

} // namespace pathwick::workbench
