#include "core/transfer/CsvExport.h"

#include "core/document/DocumentFixture.h"
#include "core/store/AccountList.h"
#include "core/transfer/CsvColumns.h"
#include "core/transfer/CsvImport.h"

#include <gtest/gtest.h>

namespace lk {
namespace {

using test::AccountTexts;
using test::MakeAccount;

void Add(AccountList& list, const AccountRecord& record)
{
    list.Add(std::make_unique<AccountRecord>(record));
}

TEST(CsvExportTest, WritesTheHeaderAndEveryExportedAccountInListOrder)
{
    AccountList list;
    Add(list, MakeAccount({u"Mail", "https://mail.example", "me", "4711", "pw", u"", 3}));
    AccountRecord hidden = MakeAccount({u"Hidden", "h"});
    hidden.Kind = kKindHidden;
    Add(list, hidden);
    Add(list, MakeAccount({u"", "https://nameless.example"}));
    Add(list, MakeAccount({u"B\u00EAta, \"the second\"", "b.example", "you", "", "p\"w", u"l1\r\nl2", 3}));
    Add(list, MakeAccount({u"Unlisted", "u.example", "carried", "", "carried too", u"", 0}));
    EXPECT_EQ(CsvExportText(list), "name,url,username,password,note\r\n"
                                   "Mail,https://mail.example,me,pw,\r\n"
                                   "\"B\xC3\xAAta, \"\"the second\"\"\",b.example,you,\"p\"\"w\",\"l1\r\nl2\"\r\n"
                                   "Unlisted,u.example,,,\r\n");
}

TEST(CsvExportTest, EmptyListGivesTheHeaderAlone)
{
    AccountList list;
    EXPECT_EQ(CsvExportText(list), "name,url,username,password,note\r\n");
}

TEST(CsvExportTest, ImportGivesEveryFieldBack)
{
    AccountList list;
    Add(list, MakeAccount({u"Mail", "https://mail.example", "me", "", "pw", u"", 2}));
    Add(list, MakeAccount({u"A, \"quoted\"", "https://a.example/?x=1,2", "a,b", "", "\"", u"l1\r\nl2, \"x\"", 2}));
    Add(list, MakeAccount({u"\u00C4rger \U0001F511", "x.example", "", "", "p\u00E4ss", u"", 1}));
    AccountList imported;
    const CsvImportCounts counts =
        MergeCsvAccounts(CsvExportText(list), imported,
                         [](std::span<AccountRecord* const> added) { return std::vector<bool>(added.size(), true); });
    EXPECT_EQ(counts.imported, 3U);
    ASSERT_EQ(imported.GetCount(), 3);
    for (std::ptrdiff_t i = 0; i < 3; ++i) {
        const AccountRecord& a = *list.GetAt(i);
        const AccountRecord& b = *imported.GetAt(i);
        EXPECT_EQ(a.AccountName, b.AccountName);
        EXPECT_EQ(a.Url, b.Url);
        EXPECT_EQ(a.Slots[kUserNameSlot].Value, b.Slots[kUserNameSlot].Value);
        EXPECT_EQ(a.Slots[kPasswordSlot].Value, b.Slots[kPasswordSlot].Value);
        EXPECT_EQ(a.Comment, b.Comment);
    }
}

} // namespace
} // namespace lk
