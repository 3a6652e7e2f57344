#include "cli/AccountLookup.h"

#include "cli/Store.h"
#include "core/platform/TextConversion.h"

namespace lk::cli {

AccountRecord* FirstAccountNamed(Store& store, std::string_view name)
{
    AccountList& list = store.document.Accounts();
    return list.GetAt(list.FindByName(FromEightBit(name)));
}

AccountRecord* RequireAccountNamed(Store& store, std::string_view name, std::ostream& err)
{
    AccountRecord* record = FirstAccountNamed(store, name);
    if (record == nullptr) {
        err << "ledgerkeeper-cli: no account named " << name << '\n';
    }
    return record;
}

} // namespace lk::cli
