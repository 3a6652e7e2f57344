// The store of a protected data folder: with the data key, protected files load
// and every save writes protected; scrambled files still load and are written
// protected at their next save; a damaged protected file is no account. Without
// the key the store reads and writes as it always has.
#include "core/document/StoreFixture.h"
#include "core/protect/CoreDumps.h"
#include "core/protect/KeyDerivationCost.h"
#include "core/protect/ProtectedAccountFile.h"
#include "core/protect/ProtectionKeyFile.h"
#include "core/store/AccountLine.h"

namespace lk {
namespace {

using test::ReadBytes;
using test::WriteBytes;
using Bytes = std::vector<std::uint8_t>;

SecretBuffer NewDataKey()
{
    auto key = ProtectionKeyFile::NewDataKey();
    return key ? std::move(*key) : SecretBuffer();
}

StoreKey Held(const SecretBuffer& dataKey)
{
    auto copy = SecretBuffer::CopyOf(dataKey.bytes());
    auto key = StoreKey::Hold(std::move(*copy));
    EXPECT_TRUE(key.has_value());
    return std::move(*key);
}

bool Holds(const Bytes& haystack, std::string_view needle)
{
    return std::search(haystack.begin(), haystack.end(), needle.begin(), needle.end()) != haystack.end();
}

class ProtectedStoreTest : public test::StoreFixture
{
protected:
    ProtectedStoreTest()
    {
        // A key file makes the folder a protected store.
        auto file = ProtectionKeyFile::Wrap(dataKey, *SecretBuffer::CopyOf(std::string_view("master")),
                                            KeyDerivationCost::Least());
        EXPECT_TRUE(file && file->WriteTo(ProtectionKeyFile::PathIn(folders.data)));
        document->UseStoreKey(Held(dataKey));
    }

    AccountRecord Secretive(std::u16string_view name, std::string_view stem)
    {
        AccountRecord record = Account(name, stem);
        record.Url = "https://secret.example";
        record.Slots[0].Value = "hunter2-password";
        record.Comment = u"only for me";
        return record;
    }

    void PutProtected(const std::string& fileName, const AccountRecord& record)
    {
        WriteBytes(DataFile(fileName), *ProtectedAccountFile::Write(record, dataKey));
    }

    std::vector<std::u16string> Loaded()
    {
        AccountList list;
        document->LoadAllAccounts(list);
        return NamesOf(list);
    }

    SecretBuffer dataKey = NewDataKey();
    std::unique_ptr<CReaderDoc> document = MakeDocument();
};

TEST_F(ProtectedStoreTest, ASaveWritesTheProtectedFormat)
{
    AccountRecord record = Secretive(u"Bank", "111");
    ASSERT_TRUE(document->SaveAccount(record));
    const Bytes bytes = ReadBytes(DataFile("111.dat"));
    EXPECT_TRUE(ProtectedAccountFile::HasMarker(bytes));
    const AccountFileContent content = ProtectedAccountFile::Read(bytes, dataKey);
    ASSERT_EQ(content.outcome, AccountFileOutcome::Text);
    EXPECT_EQ(content.text, FormatAccountLine(record));
    for (const std::string_view field : {"secret.example", "hunter2-password", "111"}) {
        EXPECT_FALSE(Holds(bytes, field)) << field;
    }
    EXPECT_EQ(ReadAccountFile(bytes, kUser).outcome, AccountFileOutcome::NotAccount);
}

TEST_F(ProtectedStoreTest, ProtectedFilesLoadAndReloadWithTheKey)
{
    PutProtected("111.dat", Secretive(u"Bank", "111"));
    PutProtected("222.dat", Secretive(u"Mail", "222"));
    EXPECT_EQ(Loaded(), (std::vector<std::u16string>{u"Bank", u"Mail"}));

    AccountRecord record = Secretive(u"Bank", "111");
    record.Comment = u"changed in memory";
    ASSERT_TRUE(document->ReloadAccount(record));
    EXPECT_EQ(record.Comment.str(), u"only for me");
}

TEST_F(ProtectedStoreTest, AScrambledFileLoadsAndIsWrittenProtectedAtItsNextSave)
{
    PutAccount("333.dat", Secretive(u"Old", "333"));
    PutProtected("111.dat", Secretive(u"Bank", "111"));
    AccountList list;
    document->LoadAllAccounts(list);
    ASSERT_EQ(NamesOf(list), (std::vector<std::u16string>{u"Bank", u"Old"}));

    ASSERT_TRUE(document->SaveAccount(*list.GetAt(1)));
    const Bytes bytes = ReadBytes(DataFile("333.dat"));
    EXPECT_TRUE(ProtectedAccountFile::HasMarker(bytes));
    EXPECT_EQ(ProtectedAccountFile::Read(bytes, dataKey).text, FormatAccountLine(Secretive(u"Old", "333")));
    EXPECT_EQ(Loaded(), (std::vector<std::u16string>{u"Bank", u"Old"}));
}

TEST_F(ProtectedStoreTest, AChangedByteAnywhereDropsThatAccountOnlyAndWhole)
{
    PutProtected("111.dat", Secretive(u"Bank", "111"));
    const Bytes good = *ProtectedAccountFile::Write(Secretive(u"Mail", "222"), dataKey);
    for (std::size_t i = 0; i < good.size(); ++i) {
        Bytes changed = good;
        changed[i] ^= 0x01;
        WriteBytes(DataFile("222.dat"), changed);
        EXPECT_EQ(Loaded(), std::vector<std::u16string>{u"Bank"}) << "byte " << i;

        AccountRecord record = Secretive(u"Mail", "222");
        record.Comment = u"as shown";
        ASSERT_TRUE(document->ReloadAccount(record));
        EXPECT_EQ(record.Comment.str(), u"as shown") << "byte " << i;
    }
}

TEST_F(ProtectedStoreTest, AnotherStoresFilesAreNoAccounts)
{
    WriteBytes(DataFile("444.dat"), *ProtectedAccountFile::Write(Secretive(u"Foreign", "444"), NewDataKey()));
    PutProtected("111.dat", Secretive(u"Bank", "111"));
    EXPECT_EQ(Loaded(), std::vector<std::u16string>{u"Bank"});
}

TEST_F(ProtectedStoreTest, ALockedProtectedStoreReadsOnlyScrambledFilesAndWritesNothing)
{
    PutProtected("111.dat", Secretive(u"Bank", "111"));
    PutAccount("333.dat", Secretive(u"Old", "333"));
    document->UseStoreKey(std::nullopt);
    EXPECT_EQ(Loaded(), std::vector<std::u16string>{u"Old"});

    const Bytes before = ReadBytes(DataFile("333.dat"));
    AccountRecord record = Secretive(u"Old", "333");
    EXPECT_FALSE(document->SaveAccount(record));
    AccountRecord fresh = Account(u"New");
    EXPECT_FALSE(document->SaveAccount(fresh));
    EXPECT_EQ(ReadBytes(DataFile("333.dat")), before);
    EXPECT_EQ(DataFiles(), (std::vector<std::string>{"111.dat", "333.dat", "Protection.key"}));
}

TEST_F(ProtectedStoreTest, TheLegacyCombinedFileConvertsIntoProtectedFiles)
{
    const std::u16string lines = FormatAccountLine(Secretive(u"One", "1")) + FormatAccountLine(Secretive(u"Two", "2"));
    Bytes bytes;
    auto header = AccountFileHeader::ForUser(kUser);
    header.recordCount = 2;
    const auto encoded = header.Encode();
    bytes.assign(encoded.begin(), encoded.end());
    std::u16string body = lines;
    ScrambleText(body, kUser);
    for (const char16_t unit : body) {
        bytes.push_back(static_cast<std::uint8_t>(unit & 0xFF));
        bytes.push_back(static_cast<std::uint8_t>(unit >> 8));
    }
    WriteBytes(DataFile("LedgerKeeper.dat"), bytes);
    ASSERT_TRUE(document->MigrateCombinedFile());
    for (const char* name : {"1.dat", "2.dat"}) {
        EXPECT_TRUE(ProtectedAccountFile::HasMarker(ReadBytes(DataFile(name)))) << name;
    }
    EXPECT_EQ(Loaded(), (std::vector<std::u16string>{u"One", u"Two"}));
}

TEST_F(ProtectedStoreTest, CoreDumpsStayBlockedWhileTheKeyIsHeld)
{
    EXPECT_TRUE(CoreDumpBlock::Blocked());
    EXPECT_NE(document->GetStoreKey(), nullptr);
    document->UseStoreKey(std::nullopt);
    EXPECT_EQ(document->GetStoreKey(), nullptr);
}

// Without a key file and without a key, nothing differs from a store that
// never heard of protection.
class UnprotectedStoreTest : public test::StoreFixture
{
protected:
    std::unique_ptr<CReaderDoc> document = MakeDocument();
};

TEST_F(UnprotectedStoreTest, SkipsProtectedFilesAndWritesScrambled)
{
    const SecretBuffer key = NewDataKey();
    WriteBytes(DataFile("111.dat"), *ProtectedAccountFile::Write(Account(u"Hidden", "111"), key));
    PutAccount("333.dat", Account(u"Plain", "333"));
    AccountList list;
    document->LoadAllAccounts(list);
    EXPECT_EQ(NamesOf(list), std::vector<std::u16string>{u"Plain"});
    EXPECT_FALSE(document->IsProtectedStore());

    AccountRecord record = Account(u"Plain", "333");
    ASSERT_TRUE(document->SaveAccount(record));
    EXPECT_EQ(ReadBytes(DataFile("333.dat")), WriteAccountFile(record, kUser));
}

} // namespace
} // namespace lk
