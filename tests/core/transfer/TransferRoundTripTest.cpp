#include "core/document/AccountSave.h"
#include "core/document/DocumentFixture.h"
#include "core/document/ExportCommand.h"
#include "core/document/ImportCommand.h"
#include "core/store/AccountLine.h"
#include "core/transfer/AccountExport.h"
#include "core/transfer/AccountImport.h"
#include "core/transfer/TransferText.h"

#include <algorithm>
#include <gtest/gtest.h>

namespace lk {
namespace {

using test::AccountTexts;

// The export file's lines, each without its line feed.
std::vector<std::u16string> Lines(const std::filesystem::path& file)
{
    const std::u16string text = DecodeUtf16Le(test::ReadBytes(file));
    std::vector<std::u16string> lines;
    for (std::size_t start = 0, feed; (feed = text.find(u'\n', start)) != std::u16string::npos; start = feed + 1) {
        lines.push_back(text.substr(start, feed - start));
    }
    return lines;
}

// A line with its FileStem and SortIndex fields emptied, which differ between stores.
std::u16string WithoutStemAndOrder(std::u16string_view line)
{
    std::vector<std::u16string> fields;
    for (std::size_t start = 0, comma; (comma = line.find(u',', start)) != std::u16string::npos; start = comma + 1) {
        fields.emplace_back(line.substr(start, comma - start));
    }
    fields.at(4).clear();
    fields.at(6).clear();
    std::u16string joined;
    for (const auto& field : fields) {
        joined += field + u",";
    }
    return joined;
}

std::vector<std::u16string> Comparable(const std::vector<std::u16string>& lines)
{
    std::vector<std::u16string> result;
    std::transform(lines.begin(), lines.end(), std::back_inserter(result), WithoutStemAndOrder);
    std::sort(result.begin(), result.end());
    return result;
}

class TransferRoundTripTest : public test::DocumentFixture
{
protected:
    std::filesystem::path first = temp.path() / "first.txt";
    std::filesystem::path second = temp.path() / "second.txt";

    void Export(CReaderDoc& from, const std::filesystem::path& file)
    {
        desktop.chosenFiles = {file};
        ASSERT_EQ(ExportAccounts(from), TransferOutcome::Done);
    }
    void Import(CReaderDoc& into, const std::filesystem::path& file)
    {
        desktop.chosenFiles = {file};
        ASSERT_EQ(ImportAccounts(into), TransferOutcome::Done);
    }
};

TEST_F(TransferRoundTripTest, CommasAndLineBreaksSurviveEveryStep)
{
    const FormBoxes typed{u"Smith, John\nat home",
                          u"example.com/a,b",
                          u"john",
                          u"",
                          u"pa,ss\nword",
                          u"first, line\r\nsecond, line\nthird"};
    ASSERT_EQ(SaveNewAccount(*document, typed), SaveOutcome::Saved);
    document->RefreshAccounts();
    ASSERT_EQ(document->Accounts().GetCount(), 1);
    AccountRecord& reloaded = *document->Accounts().GetAt(0);
    EXPECT_EQ(ShownBoxes(reloaded), typed) << "saved and reloaded unchanged";

    Export(*document, first);
    const auto lines = Lines(first);
    ASSERT_EQ(lines.size(), 1U) << "the line breaks stay inside their line";
    EXPECT_EQ(std::count(lines[0].begin(), lines[0].end(), u','), 28);

    test::TempFolder otherHome;
    auto other = NewDocument(otherHome.folders());
    Import(*other, first);
    ASSERT_EQ(other->Accounts().GetCount(), 1);
    EXPECT_EQ(ShownBoxes(*other->Accounts().GetAt(0)), typed) << "imported unchanged";
    EXPECT_TRUE(IsSameAccount(*other->Accounts().GetAt(0), *document->Accounts().GetAt(0)));
}

TEST_F(TransferRoundTripTest, ExportImportExportGivesTheSameAccounts)
{
    Stored({u"Mail", "mail.example", "me", "", "pw", u"note", 2});
    Stored({u"Bank", "bank.example", "", "4711", "secret", u"", 3});
    Stored({u"Bank", "bank2.example", "x", "y", "z", u"two of a name", 3});
    Stored({u"Unlisted", "u.example", "", "", "", u"", 0});
    AccountRecord aux = test::MakeAccount({u"Aux", "aux.example", "a", "b", "c"});
    aux.AuxText = u"aux text";
    aux.Aux32 = "thirty-two";
    aux.Aux64 = "sixty-four";
    aux.UseCount = 12;
    aux.Slots[3].Name = "spare";
    Stored(aux);
    document->RefreshAccounts();
    Export(*document, first);

    test::TempFolder otherHome;
    auto other = NewDocument(otherHome.folders());
    Import(*other, first);
    Export(*other, second);
    EXPECT_EQ(Lines(first).size(), 5U);
    EXPECT_EQ(Comparable(Lines(second)), Comparable(Lines(first)));

    const auto files = DataFiles();
    const auto bytes = test::ReadBytes(DataFolder() / files.front());
    Import(*document, first);
    EXPECT_EQ(DataFiles(), files) << "importing its own export adds no account file";
    EXPECT_EQ(test::ReadBytes(DataFolder() / files.front()), bytes);
}

} // namespace
} // namespace lk
