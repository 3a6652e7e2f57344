#include "gui/shell/QtUpdateCheck.h"

#include "core/ports/DesktopPort.h"
#include "core/update/UpdateCheck.h"
#include "gui/shell/QtDownloader.h"
#include "gui/shell/QtUpdateSettings.h"

#include <QCoreApplication>
#include <cstdlib>
#include <ctime>
#include <optional>
#include <string>

namespace lk {

namespace {

// The base address of the update files, ending in "/", or nothing when the
// check is switched off (LEDGERKEEPER_UPDATE_URL=off, or no address built in).
std::optional<std::string> BaseAddress()
{
    std::string base = LEDGERKEEPER_UPDATE_BASE_URL;
    if (const char* fromEnvironment = std::getenv("LEDGERKEEPER_UPDATE_URL");
        fromEnvironment != nullptr && *fromEnvironment != '\0') {
        base = fromEnvironment;
    }
    if (base.empty() || QString::fromStdString(base).compare(QLatin1String("off"), Qt::CaseInsensitive) == 0) {
        return std::nullopt;
    }
    if (base.back() != '/') {
        base += '/';
    }
    return base;
}

std::uint32_t SecondsNow()
{
    return static_cast<std::uint32_t>(std::time(nullptr));
}

} // namespace

bool RunStartupUpdateCheck(DesktopPort& desktop)
{
    return RunStartupUpdateCheck(desktop, QtDownloader::kDefaultTimeout, kCheckTimeLimit);
}

bool RunStartupUpdateCheck(DesktopPort& desktop, std::chrono::milliseconds downloadTimeout,
                           std::chrono::milliseconds checkTimeLimit)
{
    const auto base = BaseAddress();
    if (!base || QCoreApplication::instance() == nullptr) {
        return true;
    }
    QtDownloader downloader(downloadTimeout);
    QtUpdateSettings settings;
    UpdateContext context;
    context.folders = Folders::ForThisUser();
    context.baseAddress = *base;
    context.installerAddress = LEDGERKEEPER_INSTALLER_URL;
    context.now = SecondsNow();
    context.downloader = &downloader;
    context.settings = &settings;
    context.desktop = &desktop;
    context.timeLimit = checkTimeLimit;
    return RunUpdateCheck(context);
}

} // namespace lk
