#include "core/document/StoreFixture.h"
#include "core/store/HandBuiltFile.h"

#include <functional>

namespace lk {
namespace {

class StoreReloadTest : public test::StoreFixture
{
protected:
    std::unique_ptr<CReaderDoc> document = MakeDocument();
    AccountRecord record = Account(u"Before", "acct");

    void SetUp() override
    {
        record.Comment = u"before";
        ASSERT_TRUE(document->SaveAccount(record));
    }

    void ExpectUnchanged() const
    {
        EXPECT_EQ(record.AccountName.view(), u"Before");
        EXPECT_EQ(record.Comment.view(), u"before");
        EXPECT_EQ(record.FileStem.view(), "acct");
    }
};

TEST_F(StoreReloadTest, TakesWhatTheFileHoldsNow)
{
    AccountRecord changed = Account(u"After", "acct");
    changed.Comment = u"after";
    changed.UseCount = 8;
    PutAccount("acct.dat", changed);
    EXPECT_TRUE(document->ReloadAccount(record));
    EXPECT_EQ(record.AccountName.view(), u"After");
    EXPECT_EQ(record.Comment.view(), u"after");
    EXPECT_EQ(record.UseCount, 8u);
}

TEST_F(StoreReloadTest, AFileWhoseLineHasNoStemKeepsTheRecordsStem)
{
    PutAccount("acct.dat", Account(u"After"));
    EXPECT_TRUE(document->ReloadAccount(record));
    EXPECT_EQ(record.AccountName.view(), u"After");
    EXPECT_EQ(record.FileStem.view(), "acct");
}

TEST_F(StoreReloadTest, ALineThatDoesNotParseChangesNothing)
{
    // Only the first fields are there: a half-read line would mix them into the record.
    test::WriteBytes(DataFile("acct.dat"), test::HandBuiltFile(u"aux,Half,https://half,", kUser));
    EXPECT_TRUE(document->ReloadAccount(record));
    ExpectUnchanged();
    EXPECT_TRUE(record.AuxText.empty());
    EXPECT_TRUE(record.Url.empty());
}

struct ReloadCase
{
    const char* what;
    std::function<void(const std::filesystem::path&)> prepare;
    bool result;
    friend void PrintTo(const ReloadCase& row, std::ostream* out) { *out << row.what; }
};

class StoreReloadOutcomeTest : public StoreReloadTest, public testing::WithParamInterface<ReloadCase>
{};

TEST_P(StoreReloadOutcomeTest, LeavesTheRecordAsItWas)
{
    GetParam().prepare(DataFile("acct.dat"));
    EXPECT_EQ(document->ReloadAccount(record), GetParam().result);
    ExpectUnchanged();
}

INSTANTIATE_TEST_SUITE_P(
    Files, StoreReloadOutcomeTest,
    testing::Values(ReloadCase{"missing", [](const auto& file) { std::filesystem::remove(file); }, true},
                    ReloadCase{"short", [](const auto& file) { test::WriteBytes(file, test::Bytes(20, 1)); }, false},
                    ReloadCase{"no marker", [](const auto& file) { test::WriteBytes(file, test::Bytes(80, 0x20)); },
                               true},
                    ReloadCase{"no body",
                               [](const auto& file) {
                                   test::WriteBytes(file, test::HandBuiltFile(u"", test::StoreFixture::kUser));
                               },
                               true},
                    ReloadCase{"another user",
                               [](const auto& file) {
                                   test::WriteBytes(
                                       file,
                                       WriteAccountFile(test::StoreFixture::Account(u"Other", "acct"), u"intruder"));
                               },
                               true}),
    [](const auto& info) {
        std::string name = info.param.what;
        for (char& c : name) {
            c = c == ' ' ? '_' : c;
        }
        return name;
    });

TEST_F(StoreReloadTest, ARecordWithoutAStemIsLeftAlone)
{
    AccountRecord fresh = Account(u"Fresh");
    EXPECT_TRUE(document->ReloadAccount(fresh));
    EXPECT_EQ(fresh.AccountName.view(), u"Fresh");
    EXPECT_TRUE(fresh.FileStem.empty());
}

class StoreDeleteTest : public test::StoreFixture
{
protected:
    std::unique_ptr<CReaderDoc> document = MakeDocument();

    AccountRecord* AddSaved(std::u16string_view name, std::string_view stem)
    {
        auto record = std::make_unique<AccountRecord>(Account(name, stem));
        EXPECT_TRUE(document->SaveAccount(*record));
        AccountRecord* raw = record.get();
        document->Accounts().Add(std::move(record));
        return raw;
    }
};

const test::ScriptedDesktop::Shown kDeleteQuestion{u"Are you sure that you want to delete this account?",
                                                   u"LedgerKeeper - Warning", DesktopPort::Owner::None};

TEST_F(StoreDeleteTest, WithoutARecordThereIsNothingToAsk)
{
    EXPECT_TRUE(document->DeleteAccount(nullptr));
    EXPECT_TRUE(desktop.questions.empty());
}

TEST_F(StoreDeleteTest, AnsweringNoChangesNothing)
{
    AccountRecord* record = AddSaved(u"Stay", "stay");
    desktop.answers = {false};
    EXPECT_FALSE(document->DeleteAccount(record));
    EXPECT_EQ(desktop.questions, std::vector<test::ScriptedDesktop::Shown>{kDeleteQuestion});
    EXPECT_EQ(DataFiles(), std::vector<std::string>{"stay.dat"});
    EXPECT_EQ(document->Accounts().IndexOf(record), 0);
}

TEST_F(StoreDeleteTest, AnsweringYesRemovesTheFileAndTheRecord)
{
    AddSaved(u"Keep", "keep");
    AccountRecord* record = AddSaved(u"Go", "go");
    desktop.answers = {true};
    EXPECT_TRUE(document->DeleteAccount(record));
    EXPECT_EQ(desktop.questions, std::vector<test::ScriptedDesktop::Shown>{kDeleteQuestion});
    EXPECT_EQ(DataFiles(), std::vector<std::string>{"keep.dat"});
    EXPECT_EQ(NamesOf(document->Accounts()), std::vector<std::u16string>{u"Keep"});
}

TEST_F(StoreDeleteTest, ARecordWithoutAStemStaysAfterYes)
{
    auto owned = std::make_unique<AccountRecord>(Account(u"Unsaved"));
    AccountRecord* record = owned.get();
    document->Accounts().Add(std::move(owned));
    desktop.answers = {true};
    EXPECT_FALSE(document->DeleteAccount(record));
    EXPECT_EQ(document->Accounts().IndexOf(record), 0);
}

TEST_F(StoreDeleteTest, AnUnusableStemDeletesNothingOutsideTheDataFolder)
{
    test::WriteBytes(folders.product / "victim.dat", {'v'});
    auto owned = std::make_unique<AccountRecord>(Account(u"Evil", "../victim"));
    AccountRecord* record = owned.get();
    document->Accounts().Add(std::move(owned));
    desktop.answers = {true};
    EXPECT_FALSE(document->DeleteAccount(record));
    EXPECT_TRUE(std::filesystem::exists(folders.product / "victim.dat"));
}

TEST_F(StoreDeleteTest, OnlyARegularFileIsDeleted)
{
    // A folder, or a link to an account file, that has an account's name stays,
    // and the delete says the account could not be deleted.
    std::filesystem::create_directory(DataFile("folder.dat"));
    test::WriteBytes(folders.product / "target.dat", {'t'});
    std::filesystem::create_symlink(folders.product / "target.dat", DataFile("link.dat"));
    for (const std::string stem : {"folder", "link"}) {
        SCOPED_TRACE(stem);
        desktop.messages.clear();
        auto owned = std::make_unique<AccountRecord>(Account(u"Odd", stem));
        AccountRecord* record = owned.get();
        document->Accounts().Add(std::move(owned));
        desktop.answers = {true};
        EXPECT_FALSE(document->DeleteAccount(record));
        EXPECT_EQ(desktop.messages,
                  (std::vector<test::ScriptedDesktop::Shown>{
                      {u"The account could not be deleted.", u"LedgerKeeper - Error", DesktopPort::Owner::None}}));
        EXPECT_GE(document->Accounts().IndexOf(record), 0);
    }
    EXPECT_EQ(DataFiles(), (std::vector<std::string>{"folder.dat", "link.dat"}));
    EXPECT_TRUE(std::filesystem::exists(folders.product / "target.dat"));
}

TEST_F(StoreDeleteTest, ARecordOutsideTheListStillLosesItsFile)
{
    AccountRecord outside = Account(u"Outside", "outside");
    ASSERT_TRUE(document->SaveAccount(outside));
    AddSaved(u"Inside", "inside");
    desktop.answers = {true};
    EXPECT_TRUE(document->DeleteAccount(&outside));
    EXPECT_EQ(DataFiles(), std::vector<std::string>{"inside.dat"});
    EXPECT_EQ(document->Accounts().GetCount(), 1);
}

} // namespace
} // namespace lk
