#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace lk {

class AccountRecord;

// The explorer's quick filter: an account matches when its name, its URL or its
// user name contains the filter's text, case ignored by full Unicode case
// folding. The user name counts only while its slot is in use, as the form
// shows it. An empty filter matches every account, so the trees stay as they
// are without one.
class AccountFilter
{
public:
    AccountFilter() = default;
    explicit AccountFilter(std::u16string_view text);

    bool IsEmpty() const { return m_folded.empty(); }
    bool Matches(const AccountRecord& record) const;
    // The entries of `accounts` that match, in the same order.
    std::vector<AccountRecord*> Apply(const std::vector<AccountRecord*>& accounts) const;

private:
    bool Contains(std::u16string_view text) const;

    std::u16string m_folded;
};

} // namespace lk
