#include "gui/toolkit/LockKeys.h"

#include <QGuiApplication>

#ifdef LK_HAVE_XKB
// Xlib's macros (None, Bool, Status ...) clash with Qt's names: its headers come last.
#include <X11/XKBlib.h>
#endif

namespace lk {

#ifdef LK_HAVE_XKB
namespace {

// One indicator by its name, which the keyboard description gives it; false
// when the keyboard has no such indicator.
bool IndicatorOn(Display* display, const char* name)
{
    const Atom atom = XInternAtom(display, name, True);
    if (atom == 0) {
        return false;
    }
    int index = 0;
    int on = 0;
    if (XkbGetNamedIndicator(display, atom, &index, &on, nullptr, nullptr) == 0) {
        return false;
    }
    return on != 0;
}

} // namespace
#endif

std::optional<LockKeyState> ReadLockKeys()
{
#ifdef LK_HAVE_XKB
    auto* x11 = qGuiApp == nullptr ? nullptr : qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    Display* display = x11 == nullptr ? nullptr : x11->display();
    if (display == nullptr) {
        return std::nullopt;
    }
    return LockKeyState{IndicatorOn(display, "Caps Lock"), IndicatorOn(display, "Num Lock"),
                        IndicatorOn(display, "Scroll Lock")};
#else
    return std::nullopt;
#endif
}

} // namespace lk
