#include "gui/toolkit/CapsLock.h"

#include <QGuiApplication>

#if defined(LEDGERKEEPER_HAVE_X11)
// Xlib's headers define macros (None, Bool, KeyPress) that clash with Qt's
// names: they come after every Qt header.
#include <X11/XKBlib.h>
#endif

namespace lk {
namespace {

std::function<bool()>& Probe()
{
    static std::function<bool()> probe;
    return probe;
}

} // namespace

bool IsCapsLockOn()
{
    if (Probe()) {
        return Probe()();
    }
#if defined(LEDGERKEEPER_HAVE_X11)
    if (auto* x11 = qGuiApp != nullptr ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr) {
        unsigned int indicators = 0;
        if (Display* display = x11->display();
            display != nullptr && XkbGetIndicatorState(display, XkbUseCoreKbd, &indicators) == Success) {
            // The first indicator is Caps Lock on every keyboard map X ships.
            return (indicators & 1U) != 0;
        }
    }
#endif
    return false;
}

void SetCapsLockProbe(std::function<bool()> probe)
{
    Probe() = std::move(probe);
}

} // namespace lk
