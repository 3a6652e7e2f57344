#include "transfer/AccountImport.h"

#include "platform/PrivateFile.h"
#include "store/AccountLine.h"
#include "store/CReaderDoc.h"
#include "transfer/TransferText.h"

#include <memory>
#include <string>
#include <unordered_map>

namespace lk {
namespace {

// The index of the first account of each name in the list, kept up to date as
// accounts are appended, so that a large import does not search the whole list
// once for every line.
class FirstIndexByName
{
public:
    explicit FirstIndexByName(const AccountList& list)
    {
        for (std::ptrdiff_t i = 0; i < list.GetCount(); ++i) {
            if (const AccountRecord* record = list.GetAt(i)) {
                Appended(*record, i);
            }
        }
    }

    // The first index of that name, or -1.
    std::ptrdiff_t Find(std::u16string_view name) const
    {
        const auto it = index_.find(std::u16string(name));
        return it == index_.end() ? -1 : it->second;
    }

    void Appended(const AccountRecord& record, std::ptrdiff_t index)
    {
        index_.try_emplace(record.AccountName.str(), index);
    }

private:
    std::unordered_map<std::u16string, std::ptrdiff_t> index_;
};

bool IsHeld(const AccountList& list, const FirstIndexByName& names, const AccountRecord& record)
{
    const AccountRecord* first = list.GetAt(names.Find(record.AccountName.view()));
    return first != nullptr && IsSameAccount(*first, record);
}

} // namespace

std::size_t MergeAccountLines(std::u16string_view text, AccountList& list,
                              const std::function<void(AccountRecord&)>& save)
{
    FirstIndexByName names(list);
    std::size_t added = 0;
    for (std::size_t position = 0;;) {
        const std::size_t feed = text.find(u'\n', position);
        if (feed == std::u16string_view::npos) {
            break;
        }
        const std::u16string_view line = text.substr(position, feed + 1 - position);
        position = feed + 1;

        auto record = std::make_unique<AccountRecord>();
        if (!ParseAccountLine(line, *record) || !IsTransferred(*record) || IsHeld(list, names, *record)) {
            continue;
        }
        AccountRecord& kept = *record;
        const std::ptrdiff_t index = list.GetCount();
        if (!list.Add(std::move(record))) {
            continue;
        }
        names.Appended(kept, index);
        save(kept);
        ++added;
    }
    return added;
}

TransferOutcome ImportAccounts(CReaderDoc& document)
{
    DesktopPort& desktop = document.Desktop();
    const std::optional<std::filesystem::path> chosen = desktop.ChooseFileToOpen(ImportFileDialog());
    if (!chosen) {
        RefreshAndResetForm(document);
        return TransferOutcome::Cancelled;
    }
    if (IsDataFolder(*chosen, document.GetFolders().data)) {
        desktop.ShowMessage(u"Invalid selection to LedgerKeeper import file. Please retry...", u"Error",
                            DesktopPort::Owner::None);
        return TransferOutcome::Refused;
    }
    // Read only: importing needs no right to change the file. It is read before
    // the list is emptied, so the message below never shows while the form and
    // the trees still refer to records of an emptied list.
    const std::optional<std::vector<std::uint8_t>> bytes = ReadWholeFile(*chosen);
    if (!bytes) {
        desktop.ShowMessage(u"The import file could not be read.", u"LedgerKeeper - Error", DesktopPort::Owner::None);
        RefreshAndResetForm(document);
        return TransferOutcome::Failed;
    }
    AccountList& list = document.Accounts();
    list.Clear();
    document.LoadAllAccounts(list);
    MergeAccountLines(DecodeUtf16Le(*bytes), list, [&document](AccountRecord& record) {
        // A failed save leaves the account out of the store: the refresh below
        // reloads the list from the account files.
        document.SaveAccount(record);
    });
    RefreshAndResetForm(document);
    return TransferOutcome::Done;
}

void CReaderDoc::OnImport()
{
    ImportAccounts(*this);
}

} // namespace lk
