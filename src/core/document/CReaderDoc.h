#pragma once

#include "core/platform/FolderLock.h"
#include "core/platform/Folders.h"
#include "core/ports/DesktopPort.h"
#include "core/protect/StoreKey.h"
#include "core/store/AccountList.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace lk {

class ExplorerPort;
class FormPort;

// What a document needs of its surroundings: the folders, the user whose name
// scrambles the account files, the desktop, and the explorer pane (none in
// tools without one).
struct DocumentContext
{
    Folders folders;
    std::u16string userName;
    DesktopPort* desktop = nullptr;
    ExplorerPort* pane = nullptr;
};

// The account store: the data folder, the list of all accounts in memory, and
// every operation that reads or writes account files. It also carries the
// document's commands that work on the whole store (ordering, transfer, login).
class CReaderDoc
{
public:
    explicit CReaderDoc(DocumentContext context);
    ~CReaderDoc();
    CReaderDoc(const CReaderDoc&) = delete;
    CReaderDoc& operator=(const CReaderDoc&) = delete;

    // Converts a legacy combined file if there is one, otherwise refreshes.
    bool OnNewDocument();

    // Appends a record for every valid account file of the data folder, in the
    // listing order. Returns false when a file shorter than a header was met
    // (it is skipped and loading goes on).
    bool LoadAllAccounts(AccountList& list);
    // Writes `record` to its account file, giving it a new stem first when it
    // has none. Returns false when the file could not be written; the old file,
    // if any, is then unchanged. A new stem's file is created without replacing
    // anything: when another process took the name first, the next stem is tried.
    [[nodiscard]] bool SaveAccount(AccountRecord& record);
    // Saves each of `records` as SaveAccount does, but with the disk flushed
    // once for all of them rather than once for each (an import or the legacy
    // conversion of thousands of accounts). A crash leaves each account file
    // whole, old or new, and each new one whole or not written. Returns, in the
    // order of `records`, whether each was saved.
    [[nodiscard]] std::vector<bool> SaveAccounts(std::span<AccountRecord* const> records);
    // SaveAccount for an account that another process may have used meanwhile:
    // under the store lock, its use count becomes the count in its file plus
    // `usesAdded` when that is more than the record holds, so that no use
    // counted elsewhere is lost. Login adds one; a Save of a shown account none.
    [[nodiscard]] bool SaveAccountKeepingUses(AccountRecord& record, std::uint32_t usesAdded);
    // Reads the record's account file again into it. Returns false for a file
    // shorter than a header. The record changes only when the file's line parses whole.
    [[nodiscard]] bool ReloadAccount(AccountRecord& record);
    // Asks, then deletes the account's file and the record. True when deleted or
    // given no record; false on No, when the record has no stem, or when the
    // file could not be removed (the error has then been shown; the record stays).
    [[nodiscard]] bool DeleteAccount(AccountRecord* record);
    // Converts the legacy combined file into account files. True when one was
    // found and converted.
    bool MigrateCombinedFile();

    // The store lock: held for the length of one operation that changes the
    // data folder (a save, a delete, a Login, an import, the legacy conversion),
    // never across a question. Nests within this process.
    [[nodiscard]] FolderLock LockStore() const { return FolderLock(m_context.folders.data); }

    // Reloads the list from the data folder, orders it and has the pane rebuild
    // both trees.
    void RefreshAccounts();
    // Reads the account again and shows it in the form.
    bool OpenAccount(AccountRecord* record);

    // Saves the account and opens its login address. Always true.
    bool LaunchLogin(AccountRecord* record);

    // The transfer commands: import (of account lines or a CSV file) and
    // export of account lines, export as CSV, and the printing listing. The
    // last three first ask, in a protected store, whether a file of every
    // password in plain text may be made; No leaves everything as it was.
    void OnImport();
    void OnExport();
    void OnExportCsv();
    void OnPrintingFormat();

    // Protection. With the key of an unlocked protected store, account files are
    // read and written protected; without one, as they always were. Dropping
    // the key (locking) wipes it.
    void UseStoreKey(std::optional<StoreKey> key) { m_storeKey = std::move(key); }
    const StoreKey* GetStoreKey() const { return m_storeKey ? &*m_storeKey : nullptr; }
    // The data folder holds a key file: its accounts need the master password.
    bool IsProtectedStore() const;

    AccountList& Accounts() { return m_accountList; }
    const AccountList& Accounts() const { return m_accountList; }
    const Folders& GetFolders() const { return m_context.folders; }
    const std::u16string& UserName() const { return m_context.userName; }
    DesktopPort& Desktop() const { return *m_context.desktop; }
    ExplorerPort* Pane() const { return m_context.pane; }

    void SetTitle(std::u16string title) { m_title = std::move(title); }
    const std::u16string& GetTitle() const { return m_title; }

    // The document's form; not owned. Set by the form's initial update.
    FormPort* m_pFormView = nullptr;

    // The legacy combined file's path, and the printing listing's path.
    std::filesystem::path CombinedFilePath() const;
    std::filesystem::path ListingFilePath() const;

private:
    // Gives the record a new stem and creates its file, trying the next stem
    // while another process holds the name. Call with the store locked.
    bool SaveUnderNewStem(AccountRecord& record);
    // The account of the record's stem as its file holds it now, when the file
    // is an account file whose line parses whole.
    std::optional<AccountRecord> ReadStoredAccount(std::string_view stem) const;

    DocumentContext m_context;
    std::optional<StoreKey> m_storeKey;
    AccountList m_accountList;
    std::u16string m_title;
};

// The newest document still alive, or null.
extern CReaderDoc* g_pDocument;

} // namespace lk
