#include "dockhints.h"

#include <QGuiApplication>
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

// The window's place in the root window and the root window's size, in the
// server's own pixels.
bool rootGeometry(xcb_connection_t *connection, xcb_window_t window, QRect &place, QSize &rootSize)
{
    const auto own =
        owned(xcb_get_geometry_reply(connection, xcb_get_geometry(connection, window), nullptr));
    if (!own)
        return false;
    const auto root =
        owned(xcb_get_geometry_reply(connection, xcb_get_geometry(connection, own->root), nullptr));
    const auto origin = owned(xcb_translate_coordinates_reply(
        connection, xcb_translate_coordinates(connection, window, own->root, 0, 0), nullptr));
    if (!root || !origin)
        return false;
    place = QRect(origin->dst_x, origin->dst_y, own->width, own->height);
    rootSize = QSize(root->width, root->height);
    return true;
}

} // namespace

void setDockHints(QWidget &window, ScreenEdge edge)
{
    // Other platforms (offscreen, for one) may answer for X11 without a connection.
    auto *x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    xcb_connection_t *connection = x11 ? x11->connection() : nullptr;
    if (!connection || QGuiApplication::platformName() != QLatin1String("xcb"))
        return;
    const auto id = xcb_window_t(window.winId());

    if (!window.isVisible()) {
        const xcb_atom_t dock = atom(connection, "_NET_WM_WINDOW_TYPE_DOCK");
        xcb_change_property(connection, XCB_PROP_MODE_REPLACE, id,
                            atom(connection, "_NET_WM_WINDOW_TYPE"), XCB_ATOM_ATOM, 32, 1, &dock);
        const quint32 everyDesktop = 0xFFFFFFFF;
        setCardinals(connection, id, "_NET_WM_DESKTOP", &everyDesktop, 1);
    }

    QRect place;
    QSize rootSize;
    if (edge != ScreenEdge::None && rootGeometry(connection, id, place, rootSize)) {
        const std::array<quint32, 12> strut = strutPartial(edge, place, rootSize);
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

void setDockHints(QWidget &, ScreenEdge) { }

} // namespace zel

#endif
