// Reading a small file whole, and replacing any file atomically.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <system_error>

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
// are kept. Returns no error on success. Refused, with the old file byte for
// byte and no temporary file left, when the path names something other than
// a regular file, when an existing file may not be written by this process,
// or when the system refuses any step; the error is then the system's reason
// (e.g. "No space left on device").
std::error_code WriteFileAtomically(const std::string& path, std::string_view bytes);

// The steps of WriteFileAtomically at which the system can fail it.
enum class EWriteStep { Create, Write, Sync, Rename };

// Tests make the system fail with it: when set, it is asked before each step
// (the bytes go out in chunks of WriteChunk, each a Write step of its own),
// and a non-zero answer fails that step with that errno. An empty function
// restores the system's own behaviour.
inline constexpr std::size_t WriteChunk = std::size_t{1} << 16;
void SetWriteFault(std::function<int(EWriteStep)> fault);

} // namespace pathwick
