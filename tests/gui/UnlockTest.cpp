#include "ProtectedAppFixture.h"
#include "core/document/CReaderDoc.h"
#include "core/ports/Captions.h"
#include "gui/shell/UnlockDialog.h"

#include <QLineEdit>

namespace lk::test {
namespace {

using UnlockTest = ProtectedAppFixture;

struct UnlockCase
{
    const char* name;
    std::deque<std::optional<std::string>> typed;
    bool starts;
    int wrongTold;
};

class UnlockAtStartTest : public UnlockTest, public testing::WithParamInterface<UnlockCase>
{};

TEST_P(UnlockAtStartTest, AsksUntilTheMasterPasswordIsRightOrCancelled)
{
    ProtectTheStore();
    const UnlockCase& c = GetParam();
    ASSERT_EQ(Start(c.typed), c.starts);
    EXPECT_EQ(asked, static_cast<int>(c.typed.size()));
    std::vector<ScriptedDesktop::Shown> told(static_cast<std::size_t>(c.wrongTold),
                                             ScriptedDesktop::Shown{u"The master password is not correct.",
                                                                    std::u16string(kErrorCaption),
                                                                    DesktopPort::Owner::None});
    EXPECT_EQ(desktop.messages, told);
    if (c.starts) {
        ASSERT_NE(Document().GetStoreKey(), nullptr);
        EXPECT_EQ(ItemNames(*Pane().AlphabetTree()), (std::vector<std::u16string>{u"Bank", u"Mail"}));
    } else {
        EXPECT_EQ(app->MainFrame(), nullptr);
    }
}

INSTANTIATE_TEST_SUITE_P(Answers, UnlockAtStartTest,
                         testing::Values(UnlockCase{"Right", {"master"}, true, 0},
                                         UnlockCase{"WrongThenRight", {"wrong", "master"}, true, 1},
                                         UnlockCase{"Cancel", {std::nullopt}, false, 0},
                                         UnlockCase{"WrongThenCancel", {"wrong", std::nullopt}, false, 1}),
                         [](const testing::TestParamInfo<UnlockCase>& info) { return info.param.name; });

TEST_F(UnlockTest, AStoreWithoutProtectionStartsWithoutAsking)
{
    WriteAccount(Named(u"Mail"));
    ASSERT_TRUE(Start({}));
    EXPECT_EQ(asked, 0);
    EXPECT_EQ(Document().GetStoreKey(), nullptr);
    EXPECT_EQ(ItemNames(*Pane().AlphabetTree()), (std::vector<std::u16string>{u"Mail"}));
}

TEST_F(UnlockTest, ANewAccountWindowOfAnUnlockedStoreHoldsTheKeyToo)
{
    ProtectTheStore();
    ASSERT_TRUE(Start({"master"}));
    ASSERT_NE(app->OnFileNew(), nullptr);
    Settle();
    EXPECT_NE(Document().GetStoreKey(), nullptr);
}

TEST(UnlockDialogTest, HidesWhatIsTypedAndKeepsNoCopyOnceTaken)
{
    UnlockDialog dialog;
    EXPECT_EQ(dialog.windowTitle(), "Unlock LedgerKeeper");
    EXPECT_EQ(dialog.Entry()->echoMode(), QLineEdit::Password);
    dialog.Entry()->setText("master");
    const auto taken = dialog.TakePassword();
    ASSERT_TRUE(taken.has_value());
    EXPECT_EQ(std::string(taken->bytes().begin(), taken->bytes().end()), "master");
    EXPECT_TRUE(dialog.Entry()->text().isEmpty());
    EXPECT_FALSE(dialog.Entry()->isUndoAvailable());
}

} // namespace
} // namespace lk::test
