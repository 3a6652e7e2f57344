#include "core/document/AccountSave.h"

#include "core/document/DocumentFixture.h"
#include "core/editor/EditorTexts.h"

#include <gtest/gtest.h>

namespace lk {
namespace {

using test::AccountTexts;
using test::MakeAccount;
using Shown = test::ScriptedDesktop::Shown;
using Owner = DesktopPort::Owner;

FormBoxes Boxes(std::u16string account, std::u16string url, std::u16string user, std::u16string id,
                std::u16string password, std::u16string comment = u"")
{
    return FormBoxes{std::move(account), std::move(url),      std::move(user),
                     std::move(id),      std::move(password), std::move(comment)};
}

const Shown kInvalidLogin{std::u16string(kInvalidLoginQuestion), std::u16string(kWarningCaption), Owner::Form};
const Shown kSaveUpdate{std::u16string(kSaveUpdateQuestion), std::u16string(kWarningCaption), Owner::Form};
const Shown kSaveFailed{std::u16string(kSaveFailedMessage), std::u16string(kErrorCaption), Owner::Form};

// ---- Save of a new account

struct NewCase
{
    const char* name;
    FormBoxes boxes;
    std::deque<bool> answers;
    SaveOutcome outcome;
    std::vector<Shown> questions;
    std::uint32_t slotCount; // when saved
};

class NewAccountSaveTest : public test::DocumentFixture, public ::testing::WithParamInterface<NewCase>
{};

TEST_P(NewAccountSaveTest, FollowsTheRules)
{
    const NewCase& c = GetParam();
    desktop.answers = c.answers;
    EXPECT_EQ(SaveNewAccount(*document, c.boxes), c.outcome);
    EXPECT_EQ(desktop.questions, c.questions);
    EXPECT_TRUE(desktop.messages.empty());
    EXPECT_TRUE(ResetsForm(c.outcome));

    const auto loaded = Loaded();
    if (c.outcome != SaveOutcome::Saved) {
        EXPECT_TRUE(loaded.empty());
        EXPECT_EQ(document->Accounts().GetCount(), 0);
        return;
    }
    ASSERT_EQ(loaded.size(), 1U);
    const AccountRecord& saved = loaded.front();
    EXPECT_EQ(saved.Kind, kKindSaved);
    EXPECT_EQ(saved.SlotCount, c.slotCount);
    EXPECT_EQ(saved.UseCount, 0U);
    EXPECT_EQ(saved.AccountName.view(), c.boxes.account);
    ASSERT_EQ(document->Accounts().GetCount(), 1) << "the new account joins the list";
    EXPECT_EQ(document->Accounts().GetAt(0)->FileStem, saved.FileStem);
}

INSTANTIATE_TEST_SUITE_P(
    Table, NewAccountSaveTest,
    ::testing::Values(
        NewCase{"TwoLoginBoxesSavedAtOnce", Boxes(u"Mail", u"x.com", u"me", u"", u"pw"), {}, SaveOutcome::Saved, {}, 2},
        NewCase{"ThreeLoginBoxes", Boxes(u"Mail", u"x.com", u"me", u"id", u"pw"), {}, SaveOutcome::Saved, {}, 3},
        NewCase{"EmptyUrlSavesNothingSilently",
                Boxes(u"Mail", u"", u"me", u"id", u"pw"),
                {},
                SaveOutcome::Incomplete,
                {},
                0},
        NewCase{"EmptyNameSavesNothingSilently",
                Boxes(u"", u"x.com", u"me", u"id", u"pw"),
                {},
                SaveOutcome::Incomplete,
                {},
                0},
        NewCase{"NoLoginBoxAnsweredYes",
                Boxes(u"Mail", u"x.com", u"", u"", u""),
                {true},
                SaveOutcome::Saved,
                {kInvalidLogin},
                0},
        NewCase{"OneLoginBoxAnsweredNo",
                Boxes(u"Mail", u"x.com", u"", u"", u"pw"),
                {false},
                SaveOutcome::Declined,
                {kInvalidLogin},
                0},
        NewCase{"BlanksCountAsFilled", Boxes(u" ", u" ", u" ", u" ", u""), {}, SaveOutcome::Saved, {}, 2}),
    [](const auto& info) { return std::string(info.param.name); });

class NewAccountTest : public test::DocumentFixture
{};

TEST_F(NewAccountTest, AccountIdAndPasswordGiveTwoSlotsSoTheIdIsNotShown)
{
    ASSERT_EQ(SaveNewAccount(*document, Boxes(u"Bank", u"bank.example", u"", u"4711", u"secret")), SaveOutcome::Saved);
    const AccountRecord saved = Loaded().at(0);
    EXPECT_EQ(saved.SlotCount, 2U);
    EXPECT_EQ(saved.Slots[kAccountIdSlot].Value.view(), "4711");
    EXPECT_EQ(saved.Slots[kPasswordSlot].Flag, 1) << "a typed password sets the flag";
    const FormBoxes shown = ShownBoxes(saved);
    EXPECT_EQ(shown.password, u"secret");
    EXPECT_EQ(shown.userName, u"");
    EXPECT_EQ(shown.accountId, u"");
}

TEST_F(NewAccountTest, BoxesAreReadWithTheirLimits)
{
    ASSERT_EQ(SaveNewAccount(*document, Boxes(std::u16string(130, u'n'), u"x.com", u"me", u"", std::u16string(70, u'p'),
                                              std::u16string(600, u'c'))),
              SaveOutcome::Saved);
    const AccountRecord saved = Loaded().at(0);
    EXPECT_EQ(saved.AccountName.view(), std::u16string(126, u'n'));
    EXPECT_EQ(saved.Slots[kPasswordSlot].Value.view(), std::string(62, 'p'));
    EXPECT_EQ(saved.Comment.view(), std::u16string(510, u'c'));
}

TEST_F(NewAccountTest, FailedWriteIsShownAndKeepsTheForm)
{
    BreakDataFolder();
    const SaveOutcome outcome = SaveNewAccount(*document, Boxes(u"Mail", u"x.com", u"me", u"", u"pw"));
    EXPECT_EQ(outcome, SaveOutcome::WriteFailed);
    EXPECT_FALSE(ResetsForm(outcome));
    EXPECT_EQ(desktop.messages, std::vector<Shown>{kSaveFailed});
    EXPECT_EQ(document->Accounts().GetCount(), 0) << "an account without a file is not listed";
}

// ---- Save of the shown account

class ShownAccountSaveTest : public test::DocumentFixture
{
protected:
    AccountRecord shown;
    std::string stem;

    void SetUp() override
    {
        shown = MakeAccount({u"Mail", "mail.example", "me", "id-1", "pw", u"note", 3});
        shown.UseCount = 7;
        shown.Aux32 = "aux";
        stem = StoredAsShown(shown);
    }

    std::vector<std::uint8_t> FileBytes() const { return test::ReadBytes(DataFolder() / (stem + ".dat")); }
    AccountRecord Reloaded() { return LoadedStem(stem).value(); }
};

TEST_F(ShownAccountSaveTest, NothingChangedAsksAndWritesNothing)
{
    const auto before = FileBytes();
    EXPECT_EQ(SaveShownAccount(*document, shown, ShownBoxes(shown)), SaveOutcome::Unchanged);
    EXPECT_TRUE(desktop.questions.empty());
    EXPECT_EQ(FileBytes(), before);
}

TEST_F(ShownAccountSaveTest, OneEmptyLoginBoxAsksToSaveUpdatesEveryTime)
{
    FormBoxes boxes = ShownBoxes(shown);
    boxes.accountId.clear();
    desktop.answers = {true, false};
    EXPECT_EQ(SaveShownAccount(*document, shown, boxes), SaveOutcome::Saved);
    EXPECT_EQ(SaveShownAccount(*document, shown, boxes), SaveOutcome::Declined)
        << "the empty box counts as a change again, though nothing differs any more";
    EXPECT_EQ(desktop.questions, (std::vector<Shown>{kSaveUpdate, kSaveUpdate}));
    EXPECT_TRUE(Reloaded().Slots[kAccountIdSlot].Value.empty()) << "an emptied box clears its field";
}

TEST_F(ShownAccountSaveTest, TwoEmptyLoginBoxesAskAboutInvalidLogin)
{
    FormBoxes boxes = ShownBoxes(shown);
    boxes.userName.clear();
    boxes.password.clear();
    EXPECT_EQ(SaveShownAccount(*document, shown, boxes), SaveOutcome::Declined);
    EXPECT_EQ(desktop.questions, std::vector<Shown>{kInvalidLogin});
}

TEST_F(ShownAccountSaveTest, EmptiedNameOrUrlSavesNothingAndSaysNothing)
{
    const auto before = FileBytes();
    for (std::u16string FormBoxes::*box : {&FormBoxes::url, &FormBoxes::account}) {
        FormBoxes boxes = ShownBoxes(shown);
        (boxes.*box).clear();
        EXPECT_EQ(SaveShownAccount(*document, shown, boxes), SaveOutcome::Incomplete);
    }
    EXPECT_TRUE(desktop.questions.empty());
    EXPECT_TRUE(desktop.messages.empty());
    EXPECT_EQ(FileBytes(), before);
    EXPECT_EQ(shown.Url.view(), "mail.example");
}

TEST_F(ShownAccountSaveTest, SmallChangesCountAndAreWrittenOverTheOwnFile)
{
    struct Row
    {
        const char* name;
        std::u16string FormBoxes::*box;
        std::u16string text;
    };
    for (const Row& row :
         {Row{"letter case of the name", &FormBoxes::account, u"mail"},
          Row{"the comment alone", &FormBoxes::comment, u"other note"},
          Row{"an emptied comment", &FormBoxes::comment, u""}, Row{"the URL", &FormBoxes::url, u"mail2.example"}}) {
        desktop.questions.clear();
        desktop.answers = {true};
        FormBoxes boxes = ShownBoxes(shown);
        boxes.*row.box = row.text;
        EXPECT_EQ(SaveShownAccount(*document, shown, boxes), SaveOutcome::Saved) << row.name;
        EXPECT_EQ(desktop.questions, std::vector<Shown>{kSaveUpdate}) << row.name;
        EXPECT_EQ(ShownBoxes(Reloaded()), boxes) << row.name;
        EXPECT_EQ(ShownBoxes(shown), boxes) << row.name << ": the copy goes back into the shown record";
    }
    EXPECT_EQ(DataFiles(), std::vector<std::string>{stem + ".dat"}) << "a new name does not rename the file";
    const AccountRecord saved = Reloaded();
    EXPECT_EQ(saved.UseCount, 7U) << "the use count survives a save";
    EXPECT_EQ(saved.Kind, kKindSaved);
    EXPECT_EQ(saved.Aux32.view(), "aux") << "fields the form never shows are kept";
}

TEST_F(ShownAccountSaveTest, ChangedPasswordSetsItsFlag)
{
    shown.Slots[kPasswordSlot].Flag = 0;
    FormBoxes boxes = ShownBoxes(shown);
    boxes.password = u"new";
    desktop.answers = {true};
    ASSERT_EQ(SaveShownAccount(*document, shown, boxes), SaveOutcome::Saved);
    EXPECT_EQ(Reloaded().Slots[kPasswordSlot].Flag, 1);
    EXPECT_EQ(Reloaded().Slots[kPasswordSlot].Value.view(), "new");
}

TEST_F(ShownAccountSaveTest, SlotCountStaysAsItWas)
{
    shown.SlotCount = 2;
    FormBoxes boxes = ShownBoxes(shown); // the Account ID box is empty: a change
    boxes.accountId = u"typed";
    desktop.answers = {true};
    ASSERT_EQ(SaveShownAccount(*document, shown, boxes), SaveOutcome::Saved);
    const AccountRecord saved = Reloaded();
    EXPECT_EQ(saved.SlotCount, 2U);
    EXPECT_EQ(saved.Slots[kAccountIdSlot].Value.view(), "typed") << "written into slot 2 all the same";
    EXPECT_EQ(ShownBoxes(saved).accountId, u"") << "but not shown";
}

TEST_F(ShownAccountSaveTest, AnswerNoWritesNothing)
{
    const auto before = FileBytes();
    FormBoxes boxes = ShownBoxes(shown);
    boxes.comment = u"changed";
    desktop.answers = {false};
    EXPECT_EQ(SaveShownAccount(*document, shown, boxes), SaveOutcome::Declined);
    EXPECT_EQ(FileBytes(), before);
    EXPECT_EQ(shown.Comment.view(), u"note");
}

TEST_F(ShownAccountSaveTest, BoxesAreReadAgainAfterTheQuestion)
{
    FormBoxes first = ShownBoxes(shown);
    first.comment = u"first read";
    FormBoxes second = first;
    second.comment = u"second read";
    int reads = 0;
    desktop.answers = {true};
    EXPECT_EQ(SaveShownAccount(*document, shown, [&] { return ++reads == 1 ? first : second; }), SaveOutcome::Saved);
    EXPECT_EQ(reads, 2);
    EXPECT_EQ(Reloaded().Comment.view(), u"second read");
}

TEST_F(ShownAccountSaveTest, FailedWriteIsShownAndKeepsTheShownRecord)
{
    FormBoxes boxes = ShownBoxes(shown);
    boxes.password = u"typed";
    desktop.answers = {true};
    BreakDataFolder();
    const SaveOutcome outcome = SaveShownAccount(*document, shown, boxes);
    EXPECT_EQ(outcome, SaveOutcome::WriteFailed);
    EXPECT_FALSE(ResetsForm(outcome));
    EXPECT_EQ(desktop.messages, std::vector<Shown>{kSaveFailed});
    EXPECT_EQ(shown.Slots[kPasswordSlot].Value.view(), "pw") << "the record still holds what is on disk";
}

TEST_F(ShownAccountSaveTest, FormSaveChoosesByTheShownAccount)
{
    FormBoxes boxes = Boxes(u"New", u"new.example", u"a", u"b", u"c");
    EXPECT_EQ(SaveFormAccount(*document, nullptr, [&] { return boxes; }), SaveOutcome::Saved);
    EXPECT_EQ(Loaded().size(), 2U);
    EXPECT_EQ(SaveFormAccount(*document, &shown, [&] { return ShownBoxes(shown); }), SaveOutcome::Unchanged);
}

} // namespace
} // namespace lk
