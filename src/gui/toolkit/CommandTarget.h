#pragma once

namespace lk {

// Something a command can be offered to: a form, a document, a window, the
// application. Returns true when it handled the command, false to pass it on.
class CommandTarget
{
public:
    virtual ~CommandTarget() = default;
    virtual bool OnCommand(int id) = 0;
};

} // namespace lk
