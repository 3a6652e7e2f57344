#include "gui/toolkit/FileFilter.h"

#include <QComboBox>
#include <QFileDialog>
#include <gtest/gtest.h>

namespace lk {
namespace {

struct FilterCase
{
    const char* name;
    const char* filter;
    const char* expected;
};

void PrintTo(const FilterCase& c, std::ostream* out)
{
    *out << c.name;
}

class FileFilterTest : public testing::TestWithParam<FilterCase>
{};

TEST_P(FileFilterTest, BecomesQtNameFilters)
{
    EXPECT_EQ(ToQtNameFilters(GetParam().filter).toStdString(), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Filters, FileFilterTest,
                         testing::Values(
                             // The transfer dialogs' filter: "*.*" means every file, also one without a full stop.
                             FilterCase{"TransferDialogs", "File Type (*.txt)|*.txt|All Files (*.*)|*.*||",
                                        "File Type (*.txt) (*.txt);;All Files (*.*) (*)"},
                             // Patterns come from the pattern half, whatever the shown name says.
                             FilterCase{"PatternsFromThePatternHalf", "Texts (*.doc)|*.txt||", "Texts (*.doc) (*.txt)"},
                             FilterCase{"SeveralPatterns", "Texts|*.txt;*.log||", "Texts (*.txt;*.log) (*.txt *.log)"},
                             // Nothing after the empty entry counts.
                             FilterCase{"EndsAtTheEmptyEntry", "A (*.a)|*.a||B (*.b)|*.b||", "A (*.a) (*.a)"},
                             FilterCase{"Empty", "", ""},
                             // A name without patterns is left out; an empty name ends the list.
                             FilterCase{"NameWithoutPatterns", "Nothing||Texts|*.txt||", "Texts (*.txt) (*.txt)"},
                             FilterCase{"EmptyName", "|*.dat||", ""}),
                         [](const testing::TestParamInfo<FilterCase>& info) { return info.param.name; });

TEST(FileDialogFilters, TheEntriesReadAsTheProgramNamesThem)
{
    QFileDialog dialog;
    dialog.setOption(QFileDialog::DontUseNativeDialog, true);
    SetNameFilters(dialog, "File Type (*.txt)|*.txt|All Files (*.*)|*.*||");
    auto* types = dialog.findChild<QComboBox*>("fileTypeCombo");
    ASSERT_NE(types, nullptr);
    QStringList shown;
    for (int i = 0; i < types->count(); ++i) {
        shown << types->itemText(i);
    }
    EXPECT_EQ(shown, (QStringList{"File Type (*.txt)", "All Files (*.*)"}));
}

} // namespace
} // namespace lk
