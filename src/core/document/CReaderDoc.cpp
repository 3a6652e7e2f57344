#include "core/document/CReaderDoc.h"

#include "core/editor/EditorTexts.h"
#include "core/platform/DirectoryListing.h"
#include "core/platform/OpenFolder.h"
#include "core/platform/PrivateFile.h"
#include "core/platform/PrivatePermissions.h"
#include "core/platform/TextConversion.h"
#include "core/platform/WipeMemory.h"
#include "core/ports/Captions.h"
#include "core/ports/ExplorerPort.h"
#include "core/ports/FormPort.h"
#include "core/protect/ProtectionKeyFile.h"
#include "core/protect/StoredAccountFile.h"
#include "core/store/AccountFile.h"
#include "core/store/AccountLine.h"
#include "core/store/FileStem.h"

#include <algorithm>
#include <exception>
#include <span>
#include <system_error>
#include <thread>

namespace lk {

CReaderDoc* g_pDocument = nullptr;

namespace {

// Every document alive, oldest first: g_pDocument names the newest of them.
std::vector<CReaderDoc*>& LiveDocuments()
{
    static std::vector<CReaderDoc*> documents;
    return documents;
}

// A desktop that answers No and shows nothing, for documents made without one.
class SilentDesktop final : public DesktopPort
{
public:
    bool AskYesNo(std::u16string_view, std::u16string_view, Owner) override { return false; }
    void ShowMessage(std::u16string_view, std::u16string_view, Owner) override {}
    std::optional<std::filesystem::path> ChooseFileToOpen(const FileDialog&) override { return std::nullopt; }
    std::optional<std::filesystem::path> ChooseFileToSave(const FileDialog&) override { return std::nullopt; }
    bool OpenWebAddress(std::string_view) override { return false; }
    bool ShowListing(const std::filesystem::path&) override { return false; }
    bool OpenLocalFile(const std::filesystem::path&) override { return false; }
};

DesktopPort& SilentDesktopInstance()
{
    static SilentDesktop desktop;
    return desktop;
}

// The lines of the legacy combined file: each runs up to and including its
// line feed, the last one to the end of the text.
std::vector<std::u16string_view> FirstLines(std::u16string_view text, std::uint32_t count)
{
    std::vector<std::u16string_view> lines;
    std::size_t position = 0;
    while (lines.size() < count && position < text.size()) {
        const std::size_t feed = text.find(u'\n', position);
        const std::size_t end = feed == std::u16string_view::npos ? text.size() : feed + 1;
        lines.push_back(text.substr(position, end - position));
        position = end;
    }
    return lines;
}

// Fewer files than this for each thread are read on one: starting another costs
// more than it saves.
constexpr std::size_t kFilesPerThread = 1024;
constexpr std::size_t kMostThreads = 4;

// What every thread of a refresh reads with.
struct AccountReading
{
    const OpenFolder& folder;
    std::u16string_view userName;
    const StoreKey* key = nullptr;
};

// The accounts of one stretch of the listing, in listing order.
struct LoadedStretch
{
    std::vector<std::unique_ptr<AccountRecord>> records;
    bool noShortFile = true;
    std::exception_ptr failure;
};

// Wipes a buffer's whole storage, not only what it holds now: earlier files
// held more.
template <class Buffer> void WipeWhole(Buffer& buffer)
{
    buffer.resize(buffer.capacity());
    WipeMemory(buffer.data(), buffer.size() * sizeof(buffer[0]));
}

void LoadStretch(const AccountReading& reading, std::span<const std::string> names, LoadedStretch& stretch)
{
    // One buffer for the bytes and one for the text, from file to file.
    std::vector<std::uint8_t> bytes;
    AccountFileContent content;
    for (const std::string& name : names) {
        // Anything but a small regular file of that very name is skipped unread.
        if (!reading.folder.ReadRegularFile(name, kMaxAccountFileBytes, bytes)) {
            continue;
        }
        ReadStoredAccountFile(bytes, reading.userName, reading.key, content);
        if (content.outcome == AccountFileOutcome::Short) {
            // A short file once hid every file listed after it; now it is only skipped.
            stretch.noShortFile = false;
            continue;
        }
        // A combined file still here waits for its conversion at the next start.
        // Read as an account file, its first line would become an account named
        // after it, whose save would overwrite the accounts not yet converted.
        if (content.outcome != AccountFileOutcome::Text || EqualsIgnoringAsciiCase(name, kCombinedFileName)) {
            continue;
        }
        auto record = std::make_unique<AccountRecord>();
        if (!ParseAccountLine(content.text, *record)) {
            continue;
        }
        if (record->FileStem.empty()) {
            const std::string stem = StemFromFileName(name);
            if (stem.empty()) {
                continue;
            }
            record->FileStem = stem;
        }
        stretch.records.push_back(std::move(record));
    }
    // Both held the last files' passwords.
    WipeWhole(bytes);
    WipeWhole(content.text);
}

} // namespace

CReaderDoc::CReaderDoc(DocumentContext context) : m_context(std::move(context))
{
    if (m_context.desktop == nullptr) {
        m_context.desktop = &SilentDesktopInstance();
    }
    CreatePrivateFolder(m_context.folders.product);
    CreatePrivateFolder(m_context.folders.data);
    // The program folder is made only by what writes into it; one left loose is tightened now.
    TightenPrivateFolder(m_context.folders.program);
    // The listing holds every password in plain text; one that a crash left behind goes now.
    std::error_code error;
    std::filesystem::remove(ListingFilePath(), error);
    // So do the temporary files of saves that a crash cut short; a save under
    // way in another instance is minutes younger than any of them.
    RemoveStaleTemporaryFiles(m_context.folders.data, std::chrono::minutes(10));
    LiveDocuments().push_back(this);
    g_pDocument = this;
}

CReaderDoc::~CReaderDoc()
{
    auto& documents = LiveDocuments();
    documents.erase(std::remove(documents.begin(), documents.end(), this), documents.end());
    g_pDocument = documents.empty() ? nullptr : documents.back();
}

std::filesystem::path CReaderDoc::CombinedFilePath() const
{
    return m_context.folders.data / kCombinedFileName;
}

std::filesystem::path CReaderDoc::ListingFilePath() const
{
    return m_context.folders.data / "PrintFormat.txt";
}

bool CReaderDoc::OnNewDocument()
{
    if (!MigrateCombinedFile()) {
        RefreshAccounts();
    }
    return true;
}

bool CReaderDoc::LoadAllAccounts(AccountList& list)
{
    const OpenFolder folder(m_context.folders.data);
    const std::vector<std::string> names = folder.DatFiles();
    // A large store is read and decoded on several threads, each a stretch of
    // the listing; the stretches are joined in listing order, so the list is the
    // one a single thread would make.
    const std::size_t cores = std::max(1U, std::thread::hardware_concurrency());
    const std::size_t threads =
        std::clamp<std::size_t>(names.size() / kFilesPerThread, 1, std::min(cores, kMostThreads));
    std::vector<LoadedStretch> stretches(threads);
    const auto stretchOf = [&](std::size_t t) {
        const std::size_t begin = names.size() * t / threads;
        const std::size_t end = names.size() * (t + 1) / threads;
        return std::span<const std::string>(names).subspan(begin, end - begin);
    };
    const AccountReading reading{folder, m_context.userName, GetStoreKey()};
    {
        std::vector<std::jthread> helpers;
        helpers.reserve(threads);
        for (std::size_t t = 1; t < threads; ++t) {
            LoadedStretch& stretch = stretches[t];
            const std::span<const std::string> stretchNames = stretchOf(t);
            try {
                helpers.emplace_back([&reading, &stretch, stretchNames] {
                    try {
                        LoadStretch(reading, stretchNames, stretch);
                    } catch (...) {
                        stretch.failure = std::current_exception();
                    }
                });
            } catch (const std::system_error&) {
                // No thread to be had: this one reads that stretch too.
                LoadStretch(reading, stretchNames, stretch);
            }
        }
        LoadStretch(reading, stretchOf(0), stretches[0]);
    }
    bool noShortFile = true;
    for (LoadedStretch& stretch : stretches) {
        if (stretch.failure) {
            std::rethrow_exception(stretch.failure);
        }
        noShortFile = noShortFile && stretch.noShortFile;
    }
    for (LoadedStretch& stretch : stretches) {
        for (auto& record : stretch.records) {
            list.Add(std::move(record));
        }
    }
    return noShortFile;
}

bool CReaderDoc::IsProtectedStore() const
{
    return ProtectionKeyFile::ExistsIn(m_context.folders.data);
}

bool CReaderDoc::SaveAccount(AccountRecord& record)
{
    // A protected store that is locked writes nothing: a scrambled file there
    // would give away what the protection hides.
    if (m_storeKey == std::nullopt && IsProtectedStore()) {
        return false;
    }
    const FolderLock lock = LockStore();
    if (IsUsableStem(record.FileStem.view())) {
        const auto bytes = WriteStoredAccountFile(record, m_context.userName, GetStoreKey());
        return bytes && ReplaceFileAtomically(AccountFilePath(m_context.folders.data, record.FileStem.view()), *bytes);
    }
    return SaveUnderNewStem(record);
}

bool CReaderDoc::SaveUnderNewStem(AccountRecord& record)
{
    // A new account never replaces a file: another process (one that does not
    // take the lock, say) may have saved under the same stem a moment ago. The
    // stem is part of the file's text, so each try writes the file afresh.
    constexpr int kTries = 1000;
    for (int attempt = 0; attempt < kTries; ++attempt) {
        record.FileStem = NewFileStem(m_context.folders.data);
        const auto bytes = WriteStoredAccountFile(record, m_context.userName, GetStoreKey());
        if (!bytes) {
            return false;
        }
        switch (CreateFileExclusively(AccountFilePath(m_context.folders.data, record.FileStem.view()), *bytes)) {
        case CreateOutcome::Created:
            return true;
        case CreateOutcome::Failed:
            return false;
        case CreateOutcome::NameTaken:
            break;
        }
    }
    return false;
}

std::vector<bool> CReaderDoc::SaveAccounts(std::span<AccountRecord* const> records)
{
    std::vector<bool> saved(records.size(), false);
    // As SaveAccount: a protected store that is locked writes nothing.
    if (m_storeKey == std::nullopt && IsProtectedStore()) {
        return saved;
    }
    const FolderLock lock = LockStore();
    std::vector<BatchedFile> files;
    std::vector<std::size_t> batched; // the place in `records` of each of `files`
    files.reserve(records.size());
    batched.reserve(records.size());
    for (std::size_t i = 0; i < records.size(); ++i) {
        AccountRecord& record = *records[i];
        const bool replace = IsUsableStem(record.FileStem.view());
        if (!replace) {
            record.FileStem = NewFileStem(m_context.folders.data);
        }
        auto bytes = WriteStoredAccountFile(record, m_context.userName, GetStoreKey());
        if (!bytes) {
            continue;
        }
        files.push_back(
            BatchedFile{AccountFilePath(m_context.folders.data, record.FileStem.view()), std::move(*bytes), replace});
        batched.push_back(i);
    }
    const std::vector<CreateOutcome> outcomes = WriteFilesTogether(m_context.folders.data, files);
    for (std::size_t i = 0; i < batched.size(); ++i) {
        switch (outcomes[i]) {
        case CreateOutcome::Created:
            saved[batched[i]] = true;
            break;
        case CreateOutcome::NameTaken:
            // Another process took the new stem meanwhile: this one alone tries the next.
            saved[batched[i]] = SaveUnderNewStem(*records[batched[i]]);
            break;
        case CreateOutcome::Failed:
            break;
        }
    }
    return saved;
}

bool CReaderDoc::SaveAccountKeepingUses(AccountRecord& record, std::uint32_t usesAdded)
{
    const FolderLock lock = LockStore();
    if (IsUsableStem(record.FileStem.view())) {
        if (const std::optional<AccountRecord> stored = ReadStoredAccount(record.FileStem.view())) {
            // Wraps as the count itself does; a wrapped sum is no higher count.
            const std::uint32_t counted = stored->UseCount + usesAdded;
            if (counted > record.UseCount) {
                record.UseCount = counted;
            }
        }
    }
    return SaveAccount(record);
}

std::optional<AccountRecord> CReaderDoc::ReadStoredAccount(std::string_view stem) const
{
    const auto bytes =
        ReadRegularFile(AccountFilePath(m_context.folders.data, stem), kMaxAccountFileBytes, LinkRule::Refuse);
    if (!bytes) {
        return std::nullopt;
    }
    const AccountFileContent content = ReadStoredAccountFile(*bytes, m_context.userName, GetStoreKey());
    AccountRecord stored;
    if (content.outcome != AccountFileOutcome::Text || !ParseAccountLine(content.text, stored)) {
        return std::nullopt;
    }
    return stored;
}

bool CReaderDoc::ReloadAccount(AccountRecord& record)
{
    if (!IsUsableStem(record.FileStem.view())) {
        return true;
    }
    const auto bytes = ReadRegularFile(AccountFilePath(m_context.folders.data, record.FileStem.view()),
                                       kMaxAccountFileBytes, LinkRule::Refuse);
    if (!bytes) {
        return true;
    }
    const AccountFileContent content = ReadStoredAccountFile(*bytes, m_context.userName, GetStoreKey());
    if (content.outcome == AccountFileOutcome::Short) {
        return false;
    }
    if (content.outcome != AccountFileOutcome::Text) {
        return true;
    }
    // Only a line that parses whole replaces the record: a half-read line would
    // leave a mix that the next save writes out.
    AccountRecord reloaded = record;
    if (ParseAccountLine(content.text, reloaded)) {
        if (reloaded.FileStem.empty()) {
            reloaded.FileStem = record.FileStem;
        }
        record = reloaded;
    }
    return true;
}

bool CReaderDoc::DeleteAccount(AccountRecord* record)
{
    if (record == nullptr) {
        return true;
    }
    if (!m_context.desktop->AskYesNo(u"Are you sure that you want to delete this account?", kWarningCaption,
                                     DesktopPort::Owner::None)) {
        return false;
    }
    if (!IsUsableStem(record->FileStem.view())) {
        return false;
    }
    // A file that stays (no right to the folder, say) is reported: the account
    // has not been deleted, and the refresh that follows shows it again. Only a
    // regular file is an account's: a folder or anything else of that name stays.
    bool removed = false;
    {
        const FolderLock lock = LockStore();
        removed = RemoveRegularFile(AccountFilePath(m_context.folders.data, record->FileStem.view()));
    }
    if (!removed) {
        m_context.desktop->ShowMessage(kDeleteFailedMessage, kErrorCaption, DesktopPort::Owner::None);
        return false;
    }
    if (const std::ptrdiff_t index = m_accountList.IndexOf(record); index >= 0) {
        m_accountList.RemoveAt(index);
    }
    return true;
}

bool CReaderDoc::MigrateCombinedFile()
{
    const std::filesystem::path path = CombinedFilePath();
    // The whole conversion is one store operation: an instance started at the
    // same moment waits, then finds the file gone.
    const FolderLock lock = LockStore();
    std::error_code error;
    if (!std::filesystem::exists(std::filesystem::symlink_status(path, error))) {
        return false;
    }
    // A combined file that cannot be read stays for the next start; so does
    // anything but a regular file of that name (a FIFO is never waited for).
    const auto bytes = ReadRegularFile(path, kMaxCombinedFileBytes, LinkRule::Refuse);
    if (!bytes) {
        return false;
    }
    const AccountFileContent content = ReadStoredAccountFile(*bytes, m_context.userName, GetStoreKey());
    switch (content.outcome) {
    case AccountFileOutcome::Short:
        return false;
    case AccountFileOutcome::NotAccount:
        RemoveRegularFile(path);
        return false;
    case AccountFileOutcome::Empty:
        RemoveRegularFile(path);
        return true;
    case AccountFileOutcome::Text:
        break;
    }
    const std::vector<std::u16string_view> lines = FirstLines(content.text, content.recordCount);
    std::vector<std::unique_ptr<AccountRecord>> converted;
    converted.reserve(lines.size());
    for (std::size_t position = 0; position < lines.size(); ++position) {
        auto record = std::make_unique<AccountRecord>();
        if (!ParseAccountLine(lines[position], *record)) {
            continue;
        }
        // A line without a stem of its own gets one from the combined file and
        // its place in it: a conversion cut short and run again rewrites the
        // same files, and no account is saved twice.
        if (!IsUsableStem(record->FileStem.view())) {
            record->FileStem = DerivedFileStem(*bytes, position);
        }
        converted.push_back(std::move(record));
    }
    // Saved together, the disk waited for once. Every stem is usable by now, so
    // each file replaces what a conversion cut short left under its name.
    std::vector<AccountRecord*> batch;
    batch.reserve(converted.size());
    for (const auto& record : converted) {
        batch.push_back(record.get());
    }
    const std::vector<bool> saved = SaveAccounts(batch);
    for (auto& record : converted) {
        m_accountList.Add(std::move(record));
    }
    // Deleted only once every account it held has a file of its own, on the
    // disk with its name: the batch has flushed the folder by then.
    if (std::all_of(saved.begin(), saved.end(), [](bool done) { return done; })) {
        RemoveRegularFile(path);
    }
    return true;
}

void CReaderDoc::RefreshAccounts()
{
    m_accountList.Clear();
    LoadAllAccounts(m_accountList);
    // Four ordering passes, with or without a pane: filling a tree runs that
    // tree's pass again. A second pass can move hidden entries once more, so a
    // tool without a pane runs the same four and sees the same order and SortIndex.
    m_accountList.SortByName();
    if (m_context.pane != nullptr) {
        m_context.pane->FillAlphabetTree(m_accountList);
    } else {
        m_accountList.SortByName();
    }
    m_accountList.SortByFrequency();
    if (m_context.pane != nullptr) {
        m_context.pane->FillFrequencyTree(m_accountList);
    } else {
        m_accountList.SortByFrequency();
    }
}

bool CReaderDoc::OpenAccount(AccountRecord* record)
{
    if (record != nullptr) {
        // A file that has become short leaves the record as it was, and the
        // form shows that.
        static_cast<void>(ReloadAccount(*record));
    }
    return m_pFormView != nullptr && m_pFormView->ShowAccount(record);
}

} // namespace lk
