#include "gui/shell/QtDownloader.h"

#include <QEventLoop>
#include <QFile>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QTemporaryFile>
#include <QTimer>
#include <QUrl>
#include <algorithm>
#include <memory>
#include <system_error>

#ifndef _WIN32
#include <unistd.h>
#endif

namespace lk {

namespace {

constexpr int kMaxRedirects = 5;
constexpr qint64 kReadChunk = qint64{256} * 1024;
constexpr std::uint64_t kLargestBound = std::uint64_t{1} << 40;

// Only web addresses: a description name must never make us read a local file.
std::optional<QUrl> WebAddress(const std::string& address)
{
    const QUrl url(QString::fromStdString(address));
    if (!url.isValid() || (url.scheme() != QLatin1String("http") && url.scheme() != QLatin1String("https"))) {
        return std::nullopt;
    }
    return url;
}

// A redirect stays with the server the check was pointed at: same scheme, host
// and port (each scheme's usual port when none is written).
bool IsSameOrigin(const QUrl& from, const QUrl& to)
{
    const int defaultPort = from.scheme() == QLatin1String("https") ? 443 : 80;
    return to.scheme() == from.scheme() && to.host().compare(from.host(), Qt::CaseInsensitive) == 0 &&
           to.port(defaultPort) == from.port(defaultPort);
}

bool HasSuccessStatus(const QNetworkReply& reply)
{
    const QVariant status = reply.attribute(QNetworkRequest::HttpStatusCodeAttribute);
    const int code = status.isValid() ? status.toInt() : 0;
    return reply.error() == QNetworkReply::NoError && code >= 200 && code < 300;
}

// The temporary file lies in the target's folder so that the rename stays on
// one file system; its name is hidden and never ends in the target's extension.
std::unique_ptr<QTemporaryFile> OpenTemporaryBeside(const std::filesystem::path& target)
{
    std::string name(".");
    name += target.filename().string();
    name += ".XXXXXX.part";
    auto file = std::make_unique<QTemporaryFile>(QString::fromStdString((target.parent_path() / name).string()));
    if (!file->open()) {
        return nullptr;
    }
    return file;
}

bool FlushToDisk(QTemporaryFile& file)
{
    if (!file.flush()) {
        return false;
    }
#ifndef _WIN32
    return ::fsync(file.handle()) == 0;
#else
    return true;
#endif
}

bool ReplaceTarget(QTemporaryFile& file, const std::filesystem::path& target)
{
    if (!FlushToDisk(file)) {
        return false;
    }
    file.close();
    std::error_code error;
    std::filesystem::rename(file.fileName().toStdString(), target, error);
    if (error) {
        return false;
    }
    file.setAutoRemove(false);
    return true;
}

} // namespace

QtDownloader::QtDownloader(std::chrono::milliseconds timeout) : timeout_(timeout) {}

bool QtDownloader::Download(const DownloadRequest& request)
{
    const auto url = WebAddress(request.address);
    const auto now = std::chrono::steady_clock::now();
    if (!url || now >= request.deadline) {
        return false;
    }
    // Rounded up, and timed precisely below: a coarse timer may fire a little early,
    // which would leave a sliver of the check's time for one more download.
    const auto left = std::chrono::ceil<std::chrono::milliseconds>(request.deadline - now);
    const auto file = OpenTemporaryBeside(request.target);
    if (!file) {
        return false;
    }

    QNetworkRequest get(*url);
    get.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::UserVerifiedRedirectPolicy);
    get.setMaximumRedirectsAllowed(kMaxRedirects);
    // The size bound holds for the bytes as they come, so nothing is unpacked
    // on the way: what is counted is what is written.
    get.setRawHeader("Accept-Encoding", "identity");
    std::unique_ptr<QNetworkReply> reply(network_.get(get));
    // Qt keeps no more than this of the answer in memory while we write it out.
    reply->setReadBufferSize(kReadChunk);

    bool failed = false;
    auto giveUp = [&] {
        failed = true;
        reply->abort();
    };
    const auto maxBytes = static_cast<qint64>(std::min<std::uint64_t>(request.maxBytes, kLargestBound));
    qint64 received = 0;
    auto takeBody = [&] {
        while (!failed && reply->isOpen() && reply->bytesAvailable() > 0) {
            const QByteArray chunk = reply->read(kReadChunk);
            if (chunk.isEmpty()) {
                return;
            }
            if (received + chunk.size() > maxBytes) {
                giveUp(); // not one byte past the bound reaches the disk
                return;
            }
            received += chunk.size();
            if (file->write(chunk) != chunk.size()) {
                giveUp();
                return;
            }
        }
    };
    auto checkAnnouncedLength = [&] {
        const QVariant length = reply->header(QNetworkRequest::ContentLengthHeader);
        if (length.isValid() && length.toLongLong() > maxBytes) {
            giveUp();
        }
    };
    auto checkRedirect = [&](const QUrl& to) {
        if (IsSameOrigin(*url, to)) {
            emit reply->redirectAllowed();
        } else {
            giveUp();
        }
    };

    QEventLoop loop;
    QTimer deadline;
    deadline.setSingleShot(true);
    deadline.setTimerType(Qt::PreciseTimer);
    QObject::connect(&deadline, &QTimer::timeout, &loop, giveUp);
    QObject::connect(reply.get(), &QNetworkReply::redirected, &loop, checkRedirect);
    QObject::connect(reply.get(), &QNetworkReply::metaDataChanged, &loop, checkAnnouncedLength);
    QObject::connect(reply.get(), &QNetworkReply::readyRead, &loop, takeBody);
    QObject::connect(reply.get(), &QNetworkReply::finished, &loop, &QEventLoop::quit);
    if (!reply->isFinished()) {
        deadline.start(std::min(timeout_, left));
        loop.exec(QEventLoop::ExcludeUserInputEvents);
    }
    deadline.stop();
    takeBody();

    if (failed || !HasSuccessStatus(*reply)) {
        return false;
    }
    return ReplaceTarget(*file, request.target);
}

} // namespace lk
