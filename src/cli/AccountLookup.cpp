#include "cli/AccountLookup.h"

#include "cli/Store.h"
#include "core/platform/TextConversion.h"

namespace lk::cli {

AccountRecord* FirstAccountNamed(Store& store, std::string_view name)
{
    AccountList& list = store.document.Accounts();
    return list.GetAt(list.FindByName(FromEightBit(name)));
}

} // namespace lk::cli
