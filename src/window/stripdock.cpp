#include "stripdock.h"

#include "compositorplacement.h"
#include "dockhints.h"
#include "keepabove.h"
#include "modmove.h"

#include <QCursor>
#include <QEvent>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QScreen>
#include <QWidget>
#include <QWindow>

#include <cstdlib>

namespace zel {
namespace {

QList<QRect> monitors()
{
    QList<QRect> areas;
    for (const QScreen *screen : QGuiApplication::screens())
        areas.append(serverArea(screen->geometry(), screen->devicePixelRatio()));
    return areas;
}

// The screen whose area in the server's pixels is `monitor`, or else the primary one.
const QScreen *screenOf(const QRect &monitor)
{
    for (const QScreen *screen : QGuiApplication::screens()) {
        if (serverArea(screen->geometry(), screen->devicePixelRatio()) == monitor)
            return screen;
    }
    return QGuiApplication::primaryScreen();
}

QPoint pointerInServerPixels()
{
    const QPoint pointer = QCursor::pos();
    const QScreen *screen = QGuiApplication::screenAt(pointer);
    return screen ? toServer(pointer, screen->geometry(), screen->devicePixelRatio()) : pointer;
}

} // namespace

StripDock::StripDock(QWidget &strip)
    : QObject(&strip)
    , m_strip(&strip)
    , m_docks(!compositorPlacesWindows())
{
    if (!m_docks)
        return;
    strip.setWindowFlags(strip.windowFlags() | kKeepAbove | Qt::WindowDoesNotAcceptFocus);
    strip.setAttribute(Qt::WA_ShowWithoutActivating);
    // A window that never becomes active shows tooltips only when asked to.
    strip.setAttribute(Qt::WA_AlwaysShowToolTips);
    markAsDock(strip);
    strip.installEventFilter(this);
    // Its window sees every press before the part of the strip pressed does.
    if (QWindow *window = strip.windowHandle())
        window->installEventFilter(this);

    // Several changes come together; each timer acts once on all of them.
    m_follow.setSingleShot(true);
    m_strutUpdate.setSingleShot(true);
    connect(&m_follow, &QTimer::timeout, this, &StripDock::followMonitors);
    connect(&m_strutUpdate, &QTimer::timeout, this, &StripDock::updateStrut);
    watchServerGeometry(strip, [this] { m_strutUpdate.start(); });
    const auto follow = [this] { m_follow.start(); };
    const auto watch = [this, follow](const QScreen *screen) {
        connect(screen, &QScreen::geometryChanged, this, follow);
        connect(screen, &QScreen::virtualGeometryChanged, this, follow);
        follow();
    };
    for (const QScreen *screen : QGuiApplication::screens())
        watch(screen);
    connect(qGuiApp, &QGuiApplication::screenAdded, this, watch);
    connect(qGuiApp, &QGuiApplication::screenRemoved, this, follow);
}

StripDock::~StripDock() = default;

void StripDock::drag(const std::function<void()> &dropped)
{
    if (!m_strip)
        return;
    m_held = m_docks;
    // Window managers keep docks where they are, so the strip follows the pointer itself.
    DragWindow(
        m_strip, m_docks ? DragMode::FollowPointer : DragMode::WindowSystem,
        [this, dropped] {
            m_held = false;
            drop();
            if (dropped)
                dropped();
        },
        m_pressedAt);
}

bool StripDock::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_strip && event->type() == QEvent::Show)
        m_strutUpdate.start();
    if (m_strip && watched == m_strip->windowHandle() && event->type() == QEvent::MouseButtonPress)
        m_pressedAt = static_cast<QMouseEvent *>(event)->globalPosition().toPoint();
    return QObject::eventFilter(watched, event);
}

void StripDock::drop()
{
    if (!m_docks || !m_strip)
        return;
    placeAt(dropPlace(stripInServerPixels(), pointerInServerPixels(), monitors(), m_monitor));
    m_strutUpdate.start(); // the strut was left alone while the strip was held
}

void StripDock::followMonitors()
{
    if (m_strip && m_strip->isVisible() && !m_held && m_placeKnown)
        placeAt(keptPlace(stripInServerPixels(), m_edge, monitors(), m_monitor));
    m_strutUpdate.start(); // the root window may have grown or shrunk
}

void StripDock::placeAt(const StripPlace &place)
{
    m_placeKnown = true;
    m_edge = place.edge;
    m_monitor = place.monitor;
    const QScreen *screen = screenOf(place.monitor);
    if (place.strip == stripInServerPixels() || !screen)
        return;
    const QRect area = screen->geometry();
    const qreal scale = screen->devicePixelRatio();
    m_strip->move(toQt(place.strip.topLeft(), area, scale));
    const bool fullWidth = place.strip.width() == place.monitor.width();
    m_strip->resize(fullWidth ? area.width() : qRound(place.strip.width() / scale),
                    m_strip->height());
}

// The strip's place as Qt has asked for it, which the server may not have yet.
QRect StripDock::stripInServerPixels() const
{
    const QRect strip = m_strip->frameGeometry();
    const QScreen *screen = m_strip->screen();
    if (!screen)
        return strip;
    const qreal scale = screen->devicePixelRatio();
    return { toServer(strip.topLeft(), screen->geometry(), scale), strip.size() * scale };
}

// The line is kept only while the strip lies at an edge of its monitor,
// where the server has it.
void StripDock::updateStrut()
{
    QRect strip;
    QSize rootSize;
    if (!m_strip || !m_strip->isVisible() || m_held || !serverGeometry(*m_strip, strip, rootSize))
        return;
    // A window manager may apply the size Qt asked for only after it has mapped
    // the window: until then the server still has the design size.
    const QSize asked = stripInServerPixels().size();
    if (std::abs(strip.width() - asked.width()) > kRoundingPixels ||
        std::abs(strip.height() - asked.height()) > kRoundingPixels)
        return;
    const QList<QRect> areas = monitors();
    const QRect monitor = monitorNear(strip.center(), areas);
    const bool inside = monitor.adjusted(0, -kRoundingPixels, 0, kRoundingPixels).contains(strip);
    const ScreenEdge edge =
        inside ? edgeOf(strip, monitor, areas, kRoundingPixels) : ScreenEdge::None;
    if (!m_placeKnown && inside) {
        m_placeKnown = true; // as the window manager placed it at start-up
        m_edge = edge;
        m_monitor = monitor;
    }
    const StrutPartial strut = strutPartial(edge, strip, rootSize);
    // A window manager that reads only the older strut, which has no span,
    // would take the line off every monitor.
    const bool legacy = areas.size() == 1;
    if (strut == m_strut && legacy == m_legacyStrut)
        return;
    m_strut = strut;
    m_legacyStrut = legacy;
    setStrut(*m_strip, strut, legacy);
}

} // namespace zel
