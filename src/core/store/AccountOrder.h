#pragma once

#include "core/store/AccountRecord.h"

namespace lk {

// The two keys of the explorer's orders. `NameComesFirst`: ordinal comparison of
// UTF-16 units, case-sensitive, so "B" < "Zeta" < "a". `CountComesFirst`: the
// larger use count, taken as unsigned, comes first.
bool NameComesFirst(const AccountRecord& p, const AccountRecord& q);
bool CountComesFirst(const AccountRecord& p, const AccountRecord& q);

} // namespace lk
