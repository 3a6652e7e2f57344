#include "gui/toolkit/SecretClipboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <QSettings>

namespace lk {
namespace {

// The mark that KDE's Klipper and other clipboard managers read as "keep no
// history of this".
constexpr const char* kPasswordHintType = "x-kde-passwordManagerHint";

QMimeData* MakeMimeData(const QString& text, bool secret)
{
    auto* data = new QMimeData;
    data->setText(text);
    if (secret) {
        data->setData(kPasswordHintType, QByteArrayLiteral("secret"));
    }
    return data;
}

bool Holds(QClipboard::Mode mode, const QString& text)
{
    const QMimeData* data = QGuiApplication::clipboard()->mimeData(mode);
    return data != nullptr && data->hasText() && data->text() == text;
}

QString CountdownText(int seconds)
{
    return QString("Password copied; the clipboard clears in %1 s.").arg(seconds);
}

} // namespace

SecretClipboard::SecretClipboard(QObject* parent) : QObject(parent)
{
    m_timer.setInterval(1000);
    connect(&m_timer, &QTimer::timeout, this, &SecretClipboard::Tick);
}

SecretClipboard::~SecretClipboard()
{
    ClearIfUnchanged();
}

int SecretClipboard::ClearDelaySeconds()
{
    // The program's settings (organisation and application as the update check uses).
    QSettings settings("Local AppWizard-Generated Applications", "LedgerKeeper");
    bool ok = false;
    const int seconds = settings.value(kClearDelayKey, kDefaultClearDelay).toInt(&ok);
    return ok && seconds >= 0 ? seconds : kDefaultClearDelay;
}

void SecretClipboard::Publish(const QString& text, bool secret)
{
    QClipboard* clipboard = QGuiApplication::clipboard();
    // The clipboard takes ownership of the data.
    clipboard->setMimeData(MakeMimeData(text, secret), QClipboard::Clipboard);
    if (clipboard->supportsSelection()) {
        clipboard->setMimeData(MakeMimeData(text, secret), QClipboard::Selection);
    }
}

void SecretClipboard::CopySecret(const QString& text)
{
    ClearIfUnchanged();
    if (text.isEmpty()) {
        return;
    }
    Publish(text, true);
    m_secret = text;
    m_remaining = ClearDelaySeconds();
    if (m_remaining > 0) {
        m_timer.start();
        emit StatusMessage(CountdownText(m_remaining));
    } else {
        emit StatusMessage("Password copied.");
    }
}

void SecretClipboard::CopyPlain(const QString& text, const QString& what)
{
    ClearIfUnchanged();
    if (text.isEmpty()) {
        return;
    }
    Publish(text, false);
    emit StatusMessage(what + " copied.");
}

void SecretClipboard::Tick()
{
    if (m_secret.isEmpty()) {
        m_timer.stop();
        return;
    }
    if (!Holds(QClipboard::Clipboard, m_secret)) {
        // Something else was copied meanwhile: nothing to clear any more.
        Forget();
        return;
    }
    --m_remaining;
    if (m_remaining > 0) {
        emit StatusMessage(CountdownText(m_remaining));
        return;
    }
    ClearIfUnchanged();
    emit StatusMessage("Clipboard cleared.");
}

void SecretClipboard::ClearIfUnchanged()
{
    if (m_secret.isEmpty()) {
        return;
    }
    QClipboard* clipboard = QGuiApplication::clipboard();
    for (const QClipboard::Mode mode : {QClipboard::Clipboard, QClipboard::Selection}) {
        if ((mode == QClipboard::Clipboard || clipboard->supportsSelection()) && Holds(mode, m_secret)) {
            clipboard->clear(mode);
        }
    }
    Forget();
}

void SecretClipboard::Forget()
{
    m_timer.stop();
    m_secret.fill(QChar(0));
    m_secret.clear();
    m_remaining = 0;
}

} // namespace lk
