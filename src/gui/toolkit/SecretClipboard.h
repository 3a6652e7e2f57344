#pragma once

#include <QObject>
#include <QString>
#include <QTimer>

namespace lk {

// Copies account fields to the system clipboard. A password goes to the
// clipboard and to the X selection marked as a secret (clipboard managers that
// honour the mark keep no history of it) and is cleared after a delay, but only
// when the clipboard still holds it: whatever the user copied since stays.
// It is cleared the same way when the program ends.
class SecretClipboard final : public QObject
{
    Q_OBJECT

public:
    // The settings key of the delay in seconds; 0 never clears.
    static constexpr const char* kClearDelayKey = "Clipboard/ClearSeconds";
    static constexpr int kDefaultClearDelay = 10;

    explicit SecretClipboard(QObject* parent = nullptr);
    ~SecretClipboard() override;
    SecretClipboard(const SecretClipboard&) = delete;
    SecretClipboard& operator=(const SecretClipboard&) = delete;

    // Copies a password; `what` names it in the status text.
    void CopySecret(const QString& text);
    // Copies a field that is no secret ("User name", "URL").
    void CopyPlain(const QString& text, const QString& what);

    // Clears the clipboard and the selection if they still hold the copied
    // password; forgets the password either way.
    void ClearIfUnchanged();

    // The delay as the settings give it now.
    static int ClearDelaySeconds();
    bool IsClearPending() const { return !m_secret.isEmpty() && m_remaining > 0; }
    int RemainingSeconds() const { return m_remaining; }
    // One second of the countdown, as the timer runs it.
    void Tick();

signals:
    // A text for the status bar.
    void StatusMessage(const QString& text);

private:
    void Forget();
    void Publish(const QString& text, bool secret);

    QTimer m_timer;
    QString m_secret;
    int m_remaining = 0;
};

} // namespace lk
