#pragma once

namespace lk {

class AccountRecord;

// What the document asks of its account form: show an account, or reset to an
// empty, untitled one.
class FormPort
{
public:
    virtual ~FormPort() = default;
    // Shows `record`; false, changing nothing else, when it is null.
    virtual bool ShowAccount(AccountRecord* record) = 0;
    virtual void OnInitialUpdate() = 0;
};

} // namespace lk
