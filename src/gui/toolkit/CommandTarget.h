#pragma once

namespace lk {

// Something a command can be offered to: a form, a document, a window, the
// application. OnCommand returns true when it handled the command, false to
// pass it on; Handles tells beforehand whether it would. A command that no
// target of the moment handles is shown disabled, on its menu item, its
// accelerator and its button alike, so nothing looks available that does nothing.
class CommandTarget
{
public:
    virtual ~CommandTarget() = default;
    virtual bool OnCommand(int id) = 0;
    [[nodiscard]] virtual bool Handles(int id) const = 0;
};

} // namespace lk
