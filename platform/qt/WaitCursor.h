// The system wait cursor, shown over a long operation and restored after it.
#pragma once

namespace pathwick {

// Shows the wait cursor while it lives and restores the previous cursor when it
// ends, also when an error leaves the scope. Does nothing visible without a
// window system (no application object in the process).
class TWaitCursor {
public:
    TWaitCursor();
    ~TWaitCursor();
    TWaitCursor(const TWaitCursor&) = delete;
    TWaitCursor& operator=(const TWaitCursor&) = delete;

private:
    bool shown_ = false;
};

// How many wait cursors are showing now (for tests and the host's status).
int WaitCursorDepth();

} // namespace pathwick
