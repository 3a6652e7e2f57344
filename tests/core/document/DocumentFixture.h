#pragma once

#include "core/document/CReaderDoc.h"
#include "core/ports/FormPort.h"
#include "support/ScriptedDesktop.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

namespace lk::test {

// A form that only counts what the document asks of it.
class CountingForm final : public FormPort
{
public:
    int resets = 0;
    std::vector<AccountRecord*> shown;

    bool ShowAccount(AccountRecord* record) override
    {
        shown.push_back(record);
        return record != nullptr;
    }
    void OnInitialUpdate() override { ++resets; }
};

// The login fields of an account as the form would fill them.
struct AccountTexts
{
    AccountTexts(std::u16string name_, std::string url_, std::string user_ = "", std::string id_ = "",
                 std::string password_ = "", std::u16string comment_ = u"", std::uint32_t slotCount_ = 3)
        : name(std::move(name_)), url(std::move(url_)), user(std::move(user_)), id(std::move(id_)),
          password(std::move(password_)), comment(std::move(comment_)), slotCount(slotCount_)
    {}

    std::u16string name;
    std::string url;
    std::string user;
    std::string id;
    std::string password;
    std::u16string comment;
    std::uint32_t slotCount;
};

inline AccountRecord MakeAccount(const AccountTexts& texts)
{
    AccountRecord record;
    record.AccountName = texts.name;
    record.Url = texts.url;
    record.Slots[kUserNameSlot].Value = texts.user;
    record.Slots[kAccountIdSlot].Value = texts.id;
    record.Slots[kPasswordSlot].Value = texts.password;
    record.Comment = texts.comment;
    record.SlotCount = texts.slotCount;
    record.Kind = kKindSaved;
    return record;
}

// A document on its own temporary product folder, with a scripted desktop, a
// counting form and no explorer pane.
class DocumentFixture : public ::testing::Test
{
protected:
    static constexpr std::u16string_view kUser = u"tester";

    TempFolder temp;
    ScriptedDesktop desktop;
    CountingForm form;
    std::unique_ptr<CReaderDoc> document = NewDocument();

    std::unique_ptr<CReaderDoc> NewDocument(const Folders& folders)
    {
        auto made = std::make_unique<CReaderDoc>(DocumentContext{folders, std::u16string(kUser), &desktop, nullptr});
        made->m_pFormView = &form;
        return made;
    }
    std::unique_ptr<CReaderDoc> NewDocument() { return NewDocument(temp.folders()); }

    const std::filesystem::path& DataFolder() const { return document->GetFolders().data; }
    std::vector<std::string> DataFiles() const { return FileNames(DataFolder()); }

    // Saves a copy of `record` to the data folder, and returns the stem it got.
    std::string Stored(AccountRecord record)
    {
        EXPECT_TRUE(document->SaveAccount(record));
        return record.FileStem.str();
    }
    std::string Stored(const AccountTexts& texts) { return Stored(MakeAccount(texts)); }
    // Saves `record` itself, as the account a form shows, and returns its stem.
    std::string StoredAsShown(AccountRecord& record)
    {
        EXPECT_TRUE(document->SaveAccount(record));
        return record.FileStem.str();
    }

    // The accounts of the data folder, as a fresh load gives them.
    std::vector<AccountRecord> Loaded()
    {
        AccountList list;
        document->LoadAllAccounts(list);
        std::vector<AccountRecord> records;
        for (const auto& record : list) {
            records.push_back(*record);
        }
        return records;
    }

    // The account with that stem in a fresh load of the data folder.
    std::optional<AccountRecord> LoadedStem(std::string_view stem)
    {
        for (AccountRecord& record : Loaded()) {
            if (record.FileStem.view() == stem) {
                return record;
            }
        }
        return std::nullopt;
    }

    // Makes every later write into the data folder fail: the folder is replaced
    // by a regular file (permissions would not stop root).
    void BreakDataFolder()
    {
        std::filesystem::remove_all(DataFolder());
        WriteBytes(DataFolder(), {'x'});
    }
};

} // namespace lk::test
