#include "gui/shell/HelpManual.h"

#include "core/platform/Folders.h"
#include "core/platform/PrivateFile.h"
#include "core/ports/DesktopPort.h"

#include <QFile>
#include <system_error>

namespace lk {

std::filesystem::path ManualPath(const Folders& folders)
{
    return folders.program / "ledgerkeeper.html";
}

bool EnsureManual(const Folders& folders)
{
    const std::filesystem::path manual = ManualPath(folders);
    std::error_code error;
    if (std::filesystem::is_regular_file(manual, error)) {
        return true;
    }
    if (!CreatePrivateFolder(folders.product) || !CreatePrivateFolder(folders.program)) {
        return false;
    }
    QFile resource(":/ledgerkeeper/ledgerkeeper.html");
    if (!resource.open(QIODevice::ReadOnly)) {
        return false;
    }
    const QByteArray text = resource.readAll();
    return WritePrivateFile(manual, std::span(reinterpret_cast<const std::uint8_t*>(text.constData()),
                                              static_cast<std::size_t>(text.size())));
}

bool OpenManual(DesktopPort& desktop, const Folders& folders)
{
    if (!EnsureManual(folders)) {
        return false;
    }
    return desktop.OpenLocalFile(ManualPath(folders));
}

} // namespace lk
