// Turning protection on and off, changing the master password and unlocking,
// on a small data folder.
#include "core/document/StoreProtection.h"

#include "core/document/ImportCommand.h"
#include "core/document/StoreFixture.h"
#include "core/protect/ProtectedAccountFile.h"
#include "core/protect/ProtectionKeyFile.h"
#include "core/store/AccountLine.h"
#include "core/transfer/TransferText.h"

#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>

namespace lk {
namespace {

using test::ReadBytes;
using test::WriteBytes;
using Bytes = std::vector<std::uint8_t>;

SecretBuffer Password(std::string_view text)
{
    return std::move(*SecretBuffer::CopyOf(text));
}

constexpr KeyDerivationCost kCheap = KeyDerivationCost::Least();

class StoreProtectionTest : public test::StoreFixture
{
protected:
    StoreProtectionTest()
    {
        for (const auto& [name, stem] : {std::pair{u"Bank", "111"}, std::pair{u"Mail", "222"}}) {
            AccountRecord record = Account(name, stem);
            record.Url = "https://secret.example";
            record.Slots[0].Value = "hunter2-password";
            record.Comment = u"only for me";
            EXPECT_TRUE(document->SaveAccount(record));
            scrambled[stem] = ReadBytes(DataFile(std::string(stem) + ".dat"));
        }
        // Files that are no accounts of this user stay as they are.
        WriteBytes(DataFile("notes.dat"), Bytes{'h', 'e', 'l', 'l', 'o'});
        AccountRecord foreign = Account(u"Foreign", "333");
        WriteBytes(DataFile("333.dat"), WriteAccountFile(foreign, u"someone-else"));
        others = {{"notes.dat", ReadBytes(DataFile("notes.dat"))}, {"333.dat", ReadBytes(DataFile("333.dat"))}};
    }

    std::vector<std::u16string> Loaded(CReaderDoc& doc)
    {
        AccountList list;
        doc.LoadAllAccounts(list);
        return NamesOf(list);
    }

    void ExpectOthersUntouched()
    {
        for (const auto& [name, bytes] : others) {
            EXPECT_EQ(ReadBytes(DataFile(name)), bytes) << name;
        }
    }

    std::filesystem::path KeyFile() const { return ProtectionKeyFile::PathIn(folders.data); }

    std::unique_ptr<CReaderDoc> document = MakeDocument();
    std::map<std::string, Bytes> scrambled;
    std::map<std::string, Bytes> others;
};

TEST_F(StoreProtectionTest, TurningOnWritesTheKeyFileAndProtectsEveryAccountFile)
{
    ASSERT_EQ(ProtectStore(*document, Password("master"), kCheap), ProtectionOutcome::Done);
    struct stat info
    {};
    ASSERT_EQ(::stat(KeyFile().c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0600u);
    for (const std::string name : {"111.dat", "222.dat"}) {
        const Bytes bytes = ReadBytes(DataFile(name));
        EXPECT_TRUE(ProtectedAccountFile::HasMarker(bytes)) << name;
        EXPECT_EQ(ReadAccountFile(bytes, kUser).outcome, AccountFileOutcome::NotAccount) << name;
        EXPECT_EQ(ReadAccountFile(bytes, u"").outcome, AccountFileOutcome::NotAccount) << name;
        for (const std::string_view field : {"secret.example", "hunter2-password"}) {
            EXPECT_EQ(std::search(bytes.begin(), bytes.end(), field.begin(), field.end()), bytes.end());
        }
    }
    ExpectOthersUntouched();
    ASSERT_NE(document->GetStoreKey(), nullptr);
    EXPECT_EQ(Loaded(*document), (std::vector<std::u16string>{u"Bank", u"Mail"}));

    // Without the key the store shows nothing of them.
    auto locked = MakeDocument();
    EXPECT_TRUE(locked->IsProtectedStore());
    EXPECT_TRUE(Loaded(*locked).empty());
}

TEST_F(StoreProtectionTest, AnImportIntoAProtectedStoreWritesProtectedFilesOnly)
{
    ASSERT_EQ(ProtectStore(*document, Password("master"), kCheap), ProtectionOutcome::Done);
    AccountRecord imported = Account(u"Imported");
    imported.Url = "https://imported.example";
    const std::filesystem::path file = temp.path() / "import.txt";
    WriteBytes(file, EncodeUtf16Le(FormatAccountLine(imported)));

    // Locked: nothing is written.
    auto locked = MakeDocument();
    desktop.chosenFiles = {file};
    EXPECT_EQ(ImportAccounts(*locked), TransferOutcome::Failed);
    EXPECT_EQ(DataFiles().size(), 5u); // the two accounts, the two others, the key file

    // Unlocked: the new account's file is protected like the others.
    desktop.chosenFiles = {file};
    EXPECT_EQ(ImportAccounts(*document), TransferOutcome::Done);
    std::vector<std::u16string> names = Loaded(*document);
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::u16string>{u"Bank", u"Imported", u"Mail"}));
    for (const std::string& name : DataFiles()) {
        if (name != "notes.dat" && name != "333.dat" && name != KeyFile().filename().string()) {
            EXPECT_TRUE(ProtectedAccountFile::HasMarker(ReadBytes(DataFile(name)))) << name;
        }
    }
    ExpectOthersUntouched();
}

TEST_F(StoreProtectionTest, UnlockingTellsTheRightPasswordFromAWrongOneAndADamagedFile)
{
    auto none = UnlockStore(folders.data, Password("master"));
    EXPECT_EQ(none.outcome, ProtectionOutcome::NotProtected);
    ASSERT_EQ(ProtectStore(*document, Password("master"), kCheap), ProtectionOutcome::Done);

    auto other = MakeDocument();
    EXPECT_EQ(UnlockStore(folders.data, Password("Master")).outcome, ProtectionOutcome::WrongPassword);
    UnlockResult right = UnlockStore(folders.data, Password("master"));
    ASSERT_EQ(right.outcome, ProtectionOutcome::Done);
    other->UseStoreKey(std::move(right.key));
    EXPECT_EQ(Loaded(*other), (std::vector<std::u16string>{u"Bank", u"Mail"}));

    Bytes key = ReadBytes(KeyFile());
    key[50] ^= 1;
    WriteBytes(KeyFile(), key);
    EXPECT_EQ(UnlockStore(folders.data, Password("master")).outcome, ProtectionOutcome::DamagedKeyFile);
}

TEST_F(StoreProtectionTest, TurningOnAgainNeedsTheMasterPasswordAndChangesNothingWithAWrongOne)
{
    ASSERT_EQ(ProtectStore(*document, Password("master"), kCheap), ProtectionOutcome::Done);
    const Bytes key = ReadBytes(KeyFile());
    const Bytes bank = ReadBytes(DataFile("111.dat"));
    auto other = MakeDocument();
    EXPECT_EQ(ProtectStore(*other, Password("wrong"), kCheap), ProtectionOutcome::WrongPassword);
    EXPECT_EQ(other->GetStoreKey(), nullptr);
    EXPECT_EQ(ReadBytes(KeyFile()), key);
    EXPECT_EQ(ReadBytes(DataFile("111.dat")), bank);
    // With the right one it protects what is still scrambled and keeps the key.
    WriteBytes(DataFile("222.dat"), scrambled["222"]);
    EXPECT_EQ(ProtectStore(*other, Password("master"), kCheap), ProtectionOutcome::Done);
    EXPECT_EQ(ReadBytes(KeyFile()), key);
    EXPECT_EQ(ReadBytes(DataFile("111.dat")), bank);
    EXPECT_TRUE(ProtectedAccountFile::HasMarker(ReadBytes(DataFile("222.dat"))));
}

TEST_F(StoreProtectionTest, TurningOffRestoresEveryFileByteForByteAndDeletesTheKeyFile)
{
    ASSERT_EQ(ProtectStore(*document, Password("master"), kCheap), ProtectionOutcome::Done);
    auto other = MakeDocument();
    ASSERT_EQ(UnprotectStore(*other, Password("master")), ProtectionOutcome::Done);
    EXPECT_FALSE(std::filesystem::exists(KeyFile()));
    EXPECT_EQ(other->GetStoreKey(), nullptr);
    EXPECT_EQ(ReadBytes(DataFile("111.dat")), scrambled["111"]);
    EXPECT_EQ(ReadBytes(DataFile("222.dat")), scrambled["222"]);
    ExpectOthersUntouched();
    EXPECT_EQ(DataFiles(), (std::vector<std::string>{"111.dat", "222.dat", "333.dat", "notes.dat"}));
}

TEST_F(StoreProtectionTest, TurningOffWithAWrongPasswordChangesNothing)
{
    ASSERT_EQ(ProtectStore(*document, Password("master"), kCheap), ProtectionOutcome::Done);
    const Bytes bank = ReadBytes(DataFile("111.dat"));
    EXPECT_EQ(UnprotectStore(*document, Password("wrong")), ProtectionOutcome::WrongPassword);
    EXPECT_TRUE(std::filesystem::exists(KeyFile()));
    EXPECT_EQ(ReadBytes(DataFile("111.dat")), bank);
    EXPECT_EQ(UnprotectStore(*MakeDocument(), Password("master")), ProtectionOutcome::Done);
    EXPECT_EQ(UnprotectStore(*MakeDocument(), Password("master")), ProtectionOutcome::NotProtected);
}

TEST_F(StoreProtectionTest, ChangingTheMasterPasswordRewrapsOnlyTheKey)
{
    ASSERT_EQ(ProtectStore(*document, Password("old"), kCheap), ProtectionOutcome::Done);
    const Bytes bank = ReadBytes(DataFile("111.dat"));
    const Bytes key = ReadBytes(KeyFile());
    EXPECT_EQ(ChangeMasterPassword(folders.data, Password("wrong"), Password("new"), kCheap),
              ProtectionOutcome::WrongPassword);
    EXPECT_EQ(ReadBytes(KeyFile()), key);

    ASSERT_EQ(ChangeMasterPassword(folders.data, Password("old"), Password("new"), kCheap), ProtectionOutcome::Done);
    EXPECT_NE(ReadBytes(KeyFile()), key);
    EXPECT_EQ(ReadBytes(DataFile("111.dat")), bank);
    EXPECT_EQ(UnlockStore(folders.data, Password("old")).outcome, ProtectionOutcome::WrongPassword);
    UnlockResult unlocked = UnlockStore(folders.data, Password("new"));
    ASSERT_EQ(unlocked.outcome, ProtectionOutcome::Done);
    auto other = MakeDocument();
    other->UseStoreKey(std::move(unlocked.key));
    EXPECT_EQ(Loaded(*other), (std::vector<std::u16string>{u"Bank", u"Mail"}));
    EXPECT_EQ(ChangeMasterPassword(folders.data, Password("new"), Password("x"), kCheap), ProtectionOutcome::Done);
}

TEST_F(StoreProtectionTest, ChangingWithoutAKeyFileIsNotProtected)
{
    EXPECT_EQ(ChangeMasterPassword(folders.data, Password("a"), Password("b"), kCheap),
              ProtectionOutcome::NotProtected);
    EXPECT_FALSE(std::filesystem::exists(KeyFile()));
}

// Holds the size of every file this process writes below `bytes`: the key file
// fits, an account file does not.
class FileSizeLimit
{
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        previousHandler_ = std::signal(SIGXFSZ, SIG_IGN);
        ::getrlimit(RLIMIT_FSIZE, &previous_);
        rlimit limit = previous_;
        limit.rlim_cur = bytes;
        ::setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit()
    {
        ::setrlimit(RLIMIT_FSIZE, &previous_);
        std::signal(SIGXFSZ, previousHandler_);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    rlimit previous_{};
    void (*previousHandler_)(int) = nullptr;
};

TEST_F(StoreProtectionTest, AFileThatCannotBeWrittenFailsButTheStoreLoadsWhole)
{
    {
        const FileSizeLimit limit(ProtectionKeyFile::kSize);
        EXPECT_EQ(ProtectStore(*document, Password("master"), kCheap), ProtectionOutcome::Failed);
    }
    EXPECT_EQ(ReadBytes(DataFile("111.dat")), scrambled["111"]);
    auto other = MakeDocument();
    UnlockResult unlocked = UnlockStore(folders.data, Password("master"));
    ASSERT_EQ(unlocked.outcome, ProtectionOutcome::Done);
    other->UseStoreKey(std::move(unlocked.key));
    EXPECT_EQ(Loaded(*other), (std::vector<std::u16string>{u"Bank", u"Mail"}));

    ASSERT_EQ(ProtectStore(*other, Password("master"), kCheap), ProtectionOutcome::Done);
    {
        const FileSizeLimit limit(100);
        EXPECT_EQ(UnprotectStore(*other, Password("master")), ProtectionOutcome::Failed);
    }
    EXPECT_TRUE(std::filesystem::exists(KeyFile()));
    EXPECT_NE(other->GetStoreKey(), nullptr);
    EXPECT_EQ(Loaded(*other), (std::vector<std::u16string>{u"Bank", u"Mail"}));
}

} // namespace
} // namespace lk
