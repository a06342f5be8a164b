#include "devicescroll.h"

#include "devicemove.h"

#include <QWidget>

#ifdef ZEL_HAVE_QT_PLATFORM_HEADERS
#include <QBackingStore>
#include <QCoreApplication>
#include <QEvent>
#include <QGuiApplication>
#include <qpa/qplatformbackingstore.h>

#include <private/qwidget_p.h>
#include <private/qwidgetrepaintmanager_p.h>
#endif

namespace zel {

#ifdef ZEL_HAVE_QT_PLATFORM_HEADERS

namespace {

// The platforms whose backing store moves pixels in the units it stores them
// in: X11 (on the server) and the offscreen one the tests run on.
bool platformMovesDevicePixels()
{
    static const bool moves = QGuiApplication::platformName() == QLatin1String("xcb") ||
        QGuiApplication::platformName() == QLatin1String("offscreen");
    return moves;
}

} // namespace

bool scrollDevicePixels(QWidget &window, const QRect &deviceArea, int deviceDx)
{
    if (!platformMovesDevicePixels() || !window.isWindow())
        return false;
    QBackingStore *store = window.backingStore();
    QWidgetRepaintManager *repaints = QWidgetPrivate::get(&window)->maybeRepaintManager();
    if (!store || !store->handle() || !repaints)
        return false;
    // Pixels waiting for a repaint of the window stay: the repaint would not
    // follow them.
    const qreal ratio = window.devicePixelRatioF();
    if (repaints->dirtyRegion().intersects(logicalCover(deviceArea, ratio)) ||
        !store->handle()->scroll(QRegion(deviceArea), deviceDx, 0))
        return false;
    // The flush is marked in logical pixels: every one the moved area touches.
    repaints->markNeedsFlush(&window, logicalCover(deviceArea.translated(deviceDx, 0), ratio),
                             QPoint());
    // Qt folds this into any update request already waiting.
    QCoreApplication::postEvent(&window, new QEvent(QEvent::UpdateRequest), Qt::LowEventPriority);
    return true;
}

#else

bool scrollDevicePixels(QWidget &, const QRect &, int)
{
    return false;
}

#endif

} // namespace zel
