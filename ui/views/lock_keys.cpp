// Kept apart from the other window code: the X11 headers define macros (None, Bool,
// Status) that clash with ordinary names.
#include "ui/views/lock_keys.h"

#include <QGuiApplication>

#if defined(VELMORA_HAVE_X11) && __has_include(<X11/XKBlib.h>)
#include <X11/XKBlib.h>
#define VELMORA_LOCK_STATE 1
#endif

namespace velmora {

bool QueryLockKeys(bool& capsLock, bool& numLock) {
    capsLock = numLock = false;
#ifdef VELMORA_LOCK_STATE
    auto* app = qGuiApp;
    if (!app) return false;
    if (auto* x11 = app->nativeInterface<QNativeInterface::QX11Application>()) {
        unsigned state = 0;
        if (x11->display() && XkbGetIndicatorState(x11->display(), XkbUseCoreKbd, &state) == 0) {
            capsLock = (state & 1u) != 0;
            numLock = (state & 2u) != 0;
            return true;
        }
    }
#endif
    return false;
}

}  // namespace velmora
