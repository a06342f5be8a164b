#include "dockhints.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#if defined(ZEL_HAVE_XCB) && QT_CONFIG(xcb)
#include <cstdlib>
#include <cstring>
#include <memory>
#include <xcb/xcb.h>

namespace zel {
namespace {

template<typename Reply> using ReplyPtr = std::unique_ptr<Reply, decltype(&std::free)>;

template<typename Reply> ReplyPtr<Reply> owned(Reply *reply)
{
    return ReplyPtr<Reply>(reply, &std::free);
}

xcb_atom_t atom(xcb_connection_t *connection, const char *name)
{
    const auto reply = owned(xcb_intern_atom_reply(
        connection, xcb_intern_atom(connection, 0, quint16(std::strlen(name)), name), nullptr));
    return reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
}

void setCardinals(xcb_connection_t *connection, xcb_window_t window, const char *name,
                  const quint32 *values, quint32 count)
{
    xcb_change_property(connection, XCB_PROP_MODE_REPLACE, window, atom(connection, name),
                        XCB_ATOM_CARDINAL, 32, count, values);
}

// The sizes of the window and of the root window, in the server's own pixels.
bool serverSizes(xcb_connection_t *connection, xcb_window_t window, QSize &own, QSize &root)
{
    const auto ownGeometry =
        owned(xcb_get_geometry_reply(connection, xcb_get_geometry(connection, window), nullptr));
    if (!ownGeometry)
        return false;
    const auto rootGeometry = owned(xcb_get_geometry_reply(
        connection, xcb_get_geometry(connection, ownGeometry->root), nullptr));
    if (!rootGeometry)
        return false;
    own = QSize(ownGeometry->width, ownGeometry->height);
    root = QSize(rootGeometry->width, rootGeometry->height);
    return true;
}

// Where the window stands in the server's own pixels. Qt's position is used,
// not the server's: a move just asked for reaches the server later. A screen
// keeps its top-left corner in both systems and scales from there.
QPoint serverPosition(const QWidget &window)
{
    const QPoint position = window.frameGeometry().topLeft();
    const QScreen *screen = window.screen();
    if (!screen)
        return position;
    const QPoint origin = screen->geometry().topLeft();
    return origin + (position - origin) * screen->devicePixelRatio();
}

// Other platforms (offscreen, for one) may answer for X11 without a connection.
xcb_connection_t *x11Connection()
{
    auto *x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    xcb_connection_t *connection = x11 ? x11->connection() : nullptr;
    return QGuiApplication::platformName() == QLatin1String("xcb") ? connection : nullptr;
}

} // namespace

void markAsDock(QWidget &window)
{
    xcb_connection_t *connection = x11Connection();
    if (!connection)
        return;
    const auto id = xcb_window_t(window.winId());
    const xcb_atom_t dock = atom(connection, "_NET_WM_WINDOW_TYPE_DOCK");
    xcb_change_property(connection, XCB_PROP_MODE_REPLACE, id,
                        atom(connection, "_NET_WM_WINDOW_TYPE"), XCB_ATOM_ATOM, 32, 1, &dock);
    const quint32 everyWorkspace = 0xFFFFFFFF;
    setCardinals(connection, id, "_NET_WM_DESKTOP", &everyWorkspace, 1);
    xcb_flush(connection);
}

void reserveEdge(QWidget &window, ScreenEdge edge)
{
    xcb_connection_t *connection = x11Connection();
    if (!connection)
        return;
    const auto id = xcb_window_t(window.winId());
    QSize own;
    QSize root;
    if (edge != ScreenEdge::None && serverSizes(connection, id, own, root)) {
        const std::array<quint32, 12> strut =
            strutPartial(edge, QRect(serverPosition(window), own), root);
        setCardinals(connection, id, "_NET_WM_STRUT_PARTIAL", strut.data(), 12);
        setCardinals(connection, id, "_NET_WM_STRUT", strut.data(), 4);
    } else {
        xcb_delete_property(connection, id, atom(connection, "_NET_WM_STRUT_PARTIAL"));
        xcb_delete_property(connection, id, atom(connection, "_NET_WM_STRUT"));
    }
    xcb_flush(connection);
}

} // namespace zel

#else

namespace zel {

void markAsDock(QWidget &) { }

void reserveEdge(QWidget &, ScreenEdge) { }

} // namespace zel

#endif
