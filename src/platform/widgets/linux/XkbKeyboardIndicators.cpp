#include "XkbKeyboardIndicators.h"

#include <QGuiApplication>

#if defined(TARVANE_HAVE_XKB)
// Xlib defines macros (Bool, None, Status, KeyPress) that clash with Qt names, so it comes last.
#include <X11/XKBlib.h>
#include <X11/Xlib.h>
#endif

std::optional<bool> XkbKeyboardIndicators::numLock() const
{
#if defined(TARVANE_HAVE_XKB)
    if (qGuiApp == nullptr || QGuiApplication::platformName() != QLatin1String("xcb"))
        return std::nullopt;
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    Display* display = x11 ? x11->display() : nullptr;
    if (display == nullptr)
        return std::nullopt;
    static const Atom name = XInternAtom(display, "Num Lock", False);
    int on = 0;
    if (name == 0 || !XkbGetNamedIndicator(display, name, nullptr, &on, nullptr, nullptr))
        return std::nullopt;
    return on != 0;
#else
    return std::nullopt;
#endif
}
