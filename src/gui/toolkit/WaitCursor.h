#pragma once

namespace lk {

// Shows the wait cursor over the whole application for as long as it lives:
// around the work of about a second that deriving a key from a master password
// takes, during which the window does not answer.
class WaitCursor
{
public:
    WaitCursor();
    ~WaitCursor();
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
};

} // namespace lk
