#include "core/transfer/PrintingListing.h"

#include "core/document/DocumentFixture.h"
#include "core/document/PrintingCommand.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

namespace lk {
namespace {

using test::AccountTexts;
using test::MakeAccount;

const std::u16string kHead = u"\r\n=== LedgerKeeper Account List Start ===\r\n\r\n";
const std::u16string kTail = u"\r\n\r\n=== LedgerKeeper Account List End ===\r\n\r\n";
const std::u16string kSeparator = u"\r\n----------------------------------------------\r\n";

std::u16string ListingOf(const std::vector<AccountRecord>& records)
{
    AccountList list;
    for (const AccountRecord& record : records) {
        list.Add(std::make_unique<AccountRecord>(record));
    }
    return PrintingListing(list);
}

TEST(PrintingListingTest, OneAccountBetweenHeadAndTail)
{
    AccountRecord mail = MakeAccount({u"Mail", "x", "", "", "p", u"", 1});
    EXPECT_EQ(ListingOf({mail}), kHead + kSeparator +
                                     u"Account Name:\tMail\r\n"
                                     u"Account URL:\tx"
                                     u"\r\n:\tp"
                                     u"\r\nAccount Note:     \r\n" +
                                     kTail);
    EXPECT_EQ(PrintingListing(AccountList()), kHead + kTail);
}

TEST(PrintingListingTest, OneLineForEachSlotInUseButAtLeastOneAndAtMostFour)
{
    AccountRecord record = MakeAccount({u"A", "u", "user", "id", "pw", u"c"});
    for (std::size_t i = 0; i < kSlotCount; ++i) {
        record.Slots[i].Label = std::string(1, 'L').append(std::to_string(i));
    }
    record.Slots[3].Value = "spare";
    const std::u16string slots[] = {u"\r\nL0:\tpw", u"\r\nL1:\tuser", u"\r\nL2:\tid", u"\r\nL3:\tspare"};
    struct Row
    {
        std::uint32_t slotCount;
        std::size_t lines;
    };
    for (const Row row : {Row{0, 1}, Row{1, 1}, Row{3, 3}, Row{4, 4}, Row{9, 4}}) {
        record.SlotCount = row.slotCount;
        std::u16string expected = kHead + kSeparator + u"Account Name:\tA\r\nAccount URL:\tu";
        for (std::size_t i = 0; i < row.lines; ++i) {
            expected += slots[i];
        }
        expected += u"\r\nAccount Note:     c\r\n" + kTail;
        EXPECT_EQ(ListingOf({record}), expected) << row.slotCount;
    }
}

TEST(PrintingListingTest, HiddenAndNamelessAccountsAreLeftOut)
{
    AccountRecord hidden = MakeAccount({u"Hidden", "h"});
    hidden.Kind = kKindHidden;
    const std::u16string listing = ListingOf({MakeAccount({u"First", "f"}), hidden, MakeAccount({u"", "n"}),
                                              MakeAccount({u"Last", "l", "", "", "", u"", 0})});
    EXPECT_NE(listing.find(u"First"), std::u16string::npos);
    EXPECT_NE(listing.find(u"Last"), std::u16string::npos);
    EXPECT_EQ(listing.find(u"Hidden"), std::u16string::npos);
    EXPECT_EQ(listing.find(u"\tn"), std::u16string::npos);
    EXPECT_LT(listing.find(u"First"), listing.find(u"Last"));
}

// A desktop that also notes the listing file's mode while it is shown.
class ModeNotingDesktop : public test::ScriptedDesktop
{
public:
    unsigned mode = 0;
    bool ShowListing(const std::filesystem::path& file) override
    {
        struct stat info
        {};
        mode = ::stat(file.c_str(), &info) == 0 ? info.st_mode & 0777 : 0;
        if (!std::filesystem::is_regular_file(file)) {
            listingPaths.push_back(file);
            listings.emplace_back();
            return listingShown;
        }
        return ScriptedDesktop::ShowListing(file);
    }
};

class PrintingFormatCommandTest : public test::DocumentFixture
{
protected:
    ModeNotingDesktop noting;
    std::unique_ptr<CReaderDoc> noted = MakeNoted();

    std::unique_ptr<CReaderDoc> MakeNoted()
    {
        auto made =
            std::make_unique<CReaderDoc>(DocumentContext{temp.folders(), std::u16string(kUser), &noting, nullptr});
        made->m_pFormView = &form;
        return made;
    }
};

TEST_F(PrintingFormatCommandTest, ShowsAFreshLoadAsEightBitAndDeletesTheFile)
{
    const std::string bStem = Stored({u"B \u00C4rzte \u20AC", "b.example", "", "", "\xE2\x82\xAC", u"", 1});
    Stored({u"A", "a.example", "", "", "pw", u"", 1});
    noted->RefreshAccounts();
    const AccountRecord* firstBefore = noted->Accounts().GetAt(0);
    ASSERT_EQ(firstBefore->AccountName.view(), u"A") << "the document's list is in name order";
    Stored({u"C added on disk", "c.example"});

    EXPECT_EQ(ShowPrintingListing(*noted), PrintingOutcome::Shown);
    ASSERT_EQ(noting.listingPaths, std::vector<std::filesystem::path>{DataFolder() / "PrintFormat.txt"});
    EXPECT_EQ(noting.mode, 0600U) << "the listing holds every password in plain text";
    EXPECT_FALSE(std::filesystem::exists(DataFolder() / "PrintFormat.txt")) << "deleted once the viewer returns";

    const std::string& shown = noting.listings.at(0);
    EXPECT_NE(shown.find("Account Name:\tB \xC3\x84rzte \xE2\x82\xAC\r\n"), std::string::npos) << "UTF-8";
    EXPECT_NE(shown.find("\r\n:\t\xE2\x82\xAC\r\n"), std::string::npos);
    EXPECT_LT(shown.find("B \xC3\x84rzte"), shown.find("Account Name:\tA\r\n")) << "in the order of the fresh load";
    EXPECT_NE(shown.find("C added on disk"), std::string::npos);
    EXPECT_EQ(shown.substr(shown.size() - 4), "\r\n\r\n");
    for (std::size_t at = shown.find('\n'); at != std::string::npos; at = shown.find('\n', at + 1)) {
        ASSERT_EQ(shown[at - 1], '\r') << "every line break is CR LF";
    }

    ASSERT_EQ(noted->Accounts().GetCount(), 2) << "the document's list is left alone";
    EXPECT_EQ(noted->Accounts().GetAt(0), firstBefore);
    EXPECT_EQ(form.resets, 0);
    EXPECT_FALSE(bStem.empty());
}

TEST_F(PrintingFormatCommandTest, UnwritableListingIsStillShownAndNothingIsLeft)
{
    Stored({u"A", "a.example"});
    std::filesystem::create_directories(DataFolder() / "PrintFormat.txt" / "in the way");
    noted->OnPrintingFormat();
    EXPECT_EQ(noting.listingPaths.size(), 1U);
    EXPECT_EQ(noting.listings.at(0), "");
    EXPECT_TRUE(noting.messages.empty());

    EXPECT_EQ(ShowPrintingListing(*noted), PrintingOutcome::NotWritten) << "the command-line tool reports it";
    EXPECT_TRUE(noting.messages.empty());
}

TEST_F(PrintingFormatCommandTest, FileIsDeletedWhenTheViewerFails)
{
    noting.listingShown = false;
    EXPECT_EQ(ShowPrintingListing(*noted), PrintingOutcome::NotShown);
    EXPECT_EQ(noting.listings.at(0).substr(0, 4), "\r\n==");
    EXPECT_FALSE(std::filesystem::exists(DataFolder() / "PrintFormat.txt"));
}

} // namespace
} // namespace lk
