#pragma once

#include "core/update/UpdateCheck.h"

#include <QNetworkAccessManager>
#include <chrono>

namespace lk {

// Downloads over Qt Network for the update check. Each download blocks the
// calling thread in a local event loop (the main window isn't shown yet, so
// nothing else waits on it) and is given up after its time-out or at the
// check's deadline, whichever comes first, however slowly the server trickles.
// The body goes to a temporary file beside the target, which replaces the
// target only when the whole answer arrived with a success status and within
// the request's size bound; an answer that announces or sends more is cut off
// before anything beyond the bound is written. Redirects are followed only to
// the same scheme, host and port, so the server can't send the check to read
// from somewhere else. Needs a QCoreApplication.
class QtDownloader final : public UpdateDownloader
{
public:
    static constexpr std::chrono::milliseconds kDefaultTimeout{15000};

    explicit QtDownloader(std::chrono::milliseconds timeout = kDefaultTimeout);

    bool Download(const DownloadRequest& request) override;

private:
    std::chrono::milliseconds timeout_;
    QNetworkAccessManager network_;
};

} // namespace lk
