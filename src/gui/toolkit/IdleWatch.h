#pragma once

#include <QObject>
#include <QTimer>
#include <chrono>

namespace lk {

// Tells when the user has left the program alone for a while: no key pressed and
// no mouse moved, clicked or turned in any of its windows. Every such input
// starts the wait again. Other programs' input does not count.
class IdleWatch final : public QObject
{
    Q_OBJECT

public:
    explicit IdleWatch(QObject* parent = nullptr);
    ~IdleWatch() override;
    IdleWatch(const IdleWatch&) = delete;
    IdleWatch& operator=(const IdleWatch&) = delete;

    // How long the program must be left alone; zero never tells. Starts the wait.
    void SetInterval(std::chrono::milliseconds interval);
    std::chrono::milliseconds Interval() const { return m_interval; }
    // Starts the wait again from now, as input does.
    void Restart();
    // Whether the wait runs now.
    bool IsWaiting() const { return m_timer.isActive(); }
    // The timer that ends the wait (tests run its timeout themselves).
    QTimer& Timer() { return m_timer; }

signals:
    // The interval went by without input.
    void Idle();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QTimer m_timer;
    std::chrono::milliseconds m_interval{0};
};

} // namespace lk
