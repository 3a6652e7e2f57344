// The main of the tests that need a Qt application: offscreen by default, and
// the program's settings in a folder of their own that goes with the run, so
// nothing touches the settings of the user who runs the tests.
#include <QApplication>
#include <QSettings>
#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <stdexcept>
#include <string>

namespace {

std::filesystem::path MakeSettingsFolder()
{
    std::string pattern = (std::filesystem::temp_directory_path() / "lk-settings-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) {
        throw std::runtime_error("cannot make a settings folder");
    }
    return pattern;
}

} // namespace

int main(int argc, char** argv)
{
    testing::InitGoogleTest(&argc, argv);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    const std::filesystem::path settingsFolder = MakeSettingsFolder();
    ::setenv("XDG_CONFIG_HOME", settingsFolder.c_str(), 1);
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, QString::fromStdString(settingsFolder.string()));
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, QString::fromStdString(settingsFolder.string()));

    int result = 0;
    {
        QApplication application(argc, argv);
        result = RUN_ALL_TESTS();
    }
    std::error_code error;
    std::filesystem::remove_all(settingsFolder, error);
    return result;
}
