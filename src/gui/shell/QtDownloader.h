#pragma once

#include "core/update/UpdateCheck.h"

#include <QNetworkAccessManager>
#include <chrono>

namespace lk {

// Downloads over Qt Network for the update check. Each download blocks the
// calling thread in a local event loop (the main window isn't shown yet, so
// nothing else waits on it) and is given up after the time-out, however slowly
// the server trickles. The body goes to a temporary file beside the target,
// which replaces the target only when the whole answer arrived with a success
// status, so a broken download never leaves half a file.
// Needs a QCoreApplication.
class QtDownloader final : public UpdateDownloader
{
public:
    static constexpr std::chrono::milliseconds kDefaultTimeout{15000};

    explicit QtDownloader(std::chrono::milliseconds timeout = kDefaultTimeout);

    bool Download(const std::string& address, const std::filesystem::path& target) override;

private:
    std::chrono::milliseconds timeout_;
    QNetworkAccessManager network_;
};

} // namespace lk
