#include "gui/shell/QtDownloader.h"

#include <QEventLoop>
#include <QFile>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QTemporaryFile>
#include <QTimer>
#include <QUrl>
#include <memory>
#include <system_error>

#ifndef _WIN32
#include <unistd.h>
#endif

namespace lk {

namespace {

// Only web addresses: a description name must never make us read a local file.
std::optional<QUrl> WebAddress(const std::string& address)
{
    const QUrl url(QString::fromStdString(address));
    if (!url.isValid() || (url.scheme() != QLatin1String("http") && url.scheme() != QLatin1String("https"))) {
        return std::nullopt;
    }
    return url;
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

bool QtDownloader::Download(const std::string& address, const std::filesystem::path& target)
{
    const auto url = WebAddress(address);
    if (!url) {
        return false;
    }
    const auto file = OpenTemporaryBeside(target);
    if (!file) {
        return false;
    }

    QNetworkRequest request(*url);
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::NoLessSafeRedirectPolicy);
    std::unique_ptr<QNetworkReply> reply(network_.get(request));

    bool written = true;
    auto takeBody = [&] {
        if (!reply->isOpen()) {
            return; // aborted: nothing more to take
        }
        const QByteArray chunk = reply->readAll();
        if (written && !chunk.isEmpty() && file->write(chunk) != chunk.size()) {
            written = false;
            reply->abort();
        }
    };

    QEventLoop loop;
    QTimer deadline;
    deadline.setSingleShot(true);
    bool timedOut = false;
    QObject::connect(&deadline, &QTimer::timeout, &loop, [&] {
        timedOut = true;
        reply->abort();
    });
    QObject::connect(reply.get(), &QNetworkReply::readyRead, &loop, takeBody);
    QObject::connect(reply.get(), &QNetworkReply::finished, &loop, &QEventLoop::quit);
    if (!reply->isFinished()) {
        deadline.start(timeout_);
        loop.exec(QEventLoop::ExcludeUserInputEvents);
    }
    deadline.stop();
    takeBody();

    if (timedOut || !written || !HasSuccessStatus(*reply)) {
        return false;
    }
    return ReplaceTarget(*file, target);
}

} // namespace lk
