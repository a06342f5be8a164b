#include "stripdock.h"

#include "compositorplacement.h"
#include "dockhints.h"
#include "screenedge.h"

#include <QEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace zel {
namespace {

QList<QRect> screenAreas()
{
    QList<QRect> areas;
    for (const QScreen *screen : QGuiApplication::screens())
        areas.append(screen->geometry());
    return areas;
}

} // namespace

StripDock::StripDock(QWidget &strip)
    : QObject(&strip)
    , m_strip(&strip)
{
    if (compositorPlacesWindows())
        return;
    strip.setWindowFlags(strip.windowFlags() | Qt::WindowStaysOnTopHint |
                         Qt::WindowDoesNotAcceptFocus);
    strip.setAttribute(Qt::WA_ShowWithoutActivating);
    // A window that never becomes active shows tooltips only when asked to.
    strip.setAttribute(Qt::WA_AlwaysShowToolTips);
    strip.setAttribute(Qt::WA_X11NetWmWindowTypeDock);
    markAsDock(strip);
    strip.installEventFilter(this);
    const auto watch = [this](const QScreen *screen) {
        connect(screen, &QScreen::geometryChanged, this, &StripDock::reserve);
    };
    for (const QScreen *screen : QGuiApplication::screens())
        watch(screen);
    connect(qGuiApp, &QGuiApplication::screenAdded, this, watch);
    connect(qGuiApp, &QGuiApplication::screenRemoved, this, &StripDock::reserve);
}

StripDock::~StripDock() = default;

void StripDock::letGo()
{
    if (!m_strip || compositorPlacesWindows())
        return;
    const QRect strip = m_strip->frameGeometry();
    const EdgeDock dock = dockAtEdge(strip, screenAreas());
    if (dock.topLeft != strip.topLeft())
        m_strip->move(dock.topLeft); // reserves as it moves
    else
        reserve();
}

bool StripDock::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::Show:
    case QEvent::Move:
    case QEvent::Resize:
        // While the strip is held, letGo decides once it is dropped.
        if (watched == m_strip && QGuiApplication::mouseButtons() == Qt::NoButton)
            reserve();
        break;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}

// The line is kept only while the strip lies exactly at an edge.
void StripDock::reserve()
{
    if (m_strip && m_strip->isVisible())
        reserveEdge(*m_strip, dockAtEdge(m_strip->frameGeometry(), screenAreas(), 0).edge);
}

} // namespace zel
