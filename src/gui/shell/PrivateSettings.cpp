#include "gui/shell/PrivateSettings.h"

#include "core/platform/Folders.h"
#include "core/platform/PrivatePermissions.h"
#include "gui/shell/QtUpdateSettings.h"

#include <QSettings>
#include <system_error>

namespace lk {
namespace {

// Makes `folder` and the missing folders above it for their owner only.
bool CreateFolderChain(const std::filesystem::path& folder)
{
    std::error_code error;
    const std::filesystem::path parent = folder.parent_path();
    if (!parent.empty() && parent != folder && !std::filesystem::exists(parent, error) && !CreateFolderChain(parent)) {
        return false;
    }
    return CreatePrivateFolder(folder);
}

} // namespace

std::filesystem::path MakeSettingsPrivate()
{
    const QString name = QSettings(QtUpdateSettings::kOrganisation, QtUpdateSettings::kApplication).fileName();
    std::filesystem::path file = name.toStdString();
    if (CreateFolderChain(file.parent_path())) {
        MakePrivateFile(file);
    }
    return file;
}

} // namespace lk
