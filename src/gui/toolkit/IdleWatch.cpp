#include "gui/toolkit/IdleWatch.h"

#include <QCoreApplication>
#include <QEvent>

namespace lk {
namespace {

// What the user does to the program; what it does itself (paints, timers) is not.
bool IsInput(QEvent::Type type)
{
    switch (type) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
    case QEvent::Wheel:
    case QEvent::TouchBegin:
    case QEvent::TouchUpdate:
    case QEvent::TabletPress:
    case QEvent::TabletMove:
        return true;
    default:
        return false;
    }
}

} // namespace

IdleWatch::IdleWatch(QObject* parent) : QObject(parent)
{
    m_timer.setSingleShot(true);
    connect(&m_timer, &QTimer::timeout, this, &IdleWatch::Idle);
    // Every window's input passes the application first.
    QCoreApplication::instance()->installEventFilter(this);
}

IdleWatch::~IdleWatch()
{
    if (QCoreApplication* application = QCoreApplication::instance()) {
        application->removeEventFilter(this);
    }
}

void IdleWatch::SetInterval(std::chrono::milliseconds interval)
{
    m_interval = interval.count() > 0 ? interval : std::chrono::milliseconds(0);
    Restart();
}

void IdleWatch::Restart()
{
    if (m_interval.count() == 0) {
        m_timer.stop();
        return;
    }
    m_timer.start(m_interval);
}

bool IdleWatch::eventFilter(QObject* watched, QEvent* event)
{
    if (m_interval.count() > 0 && IsInput(event->type())) {
        m_timer.start(m_interval);
    }
    return QObject::eventFilter(watched, event);
}

} // namespace lk
