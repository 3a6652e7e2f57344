#include "gui/shell/PrivateSettings.h"

#include "gui/shell/QtUpdateSettings.h"
#include "support/FileModes.h"

#include <QSettings>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace lk {
namespace {

using test::ModeOf;
using test::WithUmask;

// The settings as the program writes them: made private first, then written by Qt.
std::filesystem::path WriteSettings()
{
    std::filesystem::path file = MakeSettingsPrivate();
    QtUpdateSettings().SetLastStartTime(1800000000u);
    return file;
}

class SettingsUnderAnyUmask : public testing::TestWithParam<mode_t>
{};

TEST_P(SettingsUnderAnyUmask, FileIs0600InA0700Folder)
{
    const std::filesystem::path file =
        QSettings(QtUpdateSettings::kOrganisation, QtUpdateSettings::kApplication).fileName().toStdString();
    std::filesystem::remove_all(file.parent_path());
    const WithUmask mask(GetParam());

    EXPECT_EQ(WriteSettings(), file);
    QtUpdateSettings().SetLastStartTime(1800000001u); // a second write replaces the file

    EXPECT_EQ(ModeOf(file.parent_path()), 0700u);
    EXPECT_EQ(ModeOf(file), 0600u);
    EXPECT_EQ(QtUpdateSettings().LastStartTime(), 1800000001u);
}

INSTANTIATE_TEST_SUITE_P(Umasks, SettingsUnderAnyUmask, testing::Values(0000, 0022, 0077));

TEST(PrivateSettings, LooseFolderAndFileOfEarlierStartsAreTightened)
{
    const WithUmask mask(0);
    const std::filesystem::path file = WriteSettings();
    ASSERT_EQ(::chmod(file.parent_path().c_str(), 0777), 0);
    ASSERT_EQ(::chmod(file.c_str(), 0666), 0);

    WriteSettings();

    EXPECT_EQ(ModeOf(file.parent_path()), 0700u);
    EXPECT_EQ(ModeOf(file), 0600u);
    EXPECT_EQ(QtUpdateSettings().LastStartTime(), 1800000000u);
}

} // namespace
} // namespace lk
