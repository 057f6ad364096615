// Reading a small file whole and replacing it atomically.
#pragma once

#include <cstddef>
#include <string>

namespace pathwick {

struct TFileRead {
    enum class EState {
        Missing,    // no such file, or not a regular file
        Unreadable, // exists but cannot be read
        Complete,   // Bytes holds the whole file
        Truncated,  // the file is larger than the limit; Bytes holds its start
    };
    EState State = EState::Missing;
    std::string Bytes;
};

// Reads at most limit bytes of the regular file at path. Never blocks on a
// special file (a pipe, a device): those count as missing.
TFileRead ReadFileBounded(const std::string& path, size_t limit);

// Replaces the file at path by bytes, so that a reader sees either the old
// file or the whole new one, never a part: the bytes go to a temporary file
// beside it, are flushed to the disk and renamed over it. A symbolic link is
// followed and its target replaced. The mode and owner of an existing file
// are kept. Refused (false, nothing changed, no temporary file left) when
// the path names something other than a regular file, when an existing file
// may not be written by this process, or when the system refuses any step.
bool ReplaceFileAtomically(const std::string& path, const std::string& bytes);

} // namespace pathwick
