#include "dockhints.h"

#include <QGuiApplication>
#include <QWidget>

#if defined(ZEL_HAVE_XCB) && QT_CONFIG(xcb)
#include <QAbstractNativeEventFilter>

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

// Other platforms (offscreen, for one) may answer for X11 without a connection.
xcb_connection_t *x11Connection()
{
    auto *x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    xcb_connection_t *connection = x11 ? x11->connection() : nullptr;
    return QGuiApplication::platformName() == QLatin1String("xcb") ? connection : nullptr;
}

// The atoms this file writes, asked for together the first time one is needed.
struct Atoms
{
    enum Name { Type, TypeDock, Desktop, StrutPartial, Strut, Count };
    xcb_atom_t atom[Count] {};

    explicit Atoms(xcb_connection_t *connection)
    {
        static const char *const names[Count] = { "_NET_WM_WINDOW_TYPE", "_NET_WM_WINDOW_TYPE_DOCK",
                                                  "_NET_WM_DESKTOP", "_NET_WM_STRUT_PARTIAL",
                                                  "_NET_WM_STRUT" };
        xcb_intern_atom_cookie_t cookies[Count];
        for (int i = 0; i < Count; ++i)
            cookies[i] = xcb_intern_atom(connection, 0, quint16(std::strlen(names[i])), names[i]);
        for (int i = 0; i < Count; ++i) {
            const auto reply = owned(xcb_intern_atom_reply(connection, cookies[i], nullptr));
            atom[i] = reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
        }
    }
};

xcb_atom_t atom(xcb_connection_t *connection, Atoms::Name name)
{
    static const Atoms atoms(connection); // one connection for the program's life
    return atoms.atom[name];
}

void setCardinals(xcb_connection_t *connection, xcb_window_t window, Atoms::Name name,
                  const quint32 *values, quint32 count)
{
    xcb_change_property(connection, XCB_PROP_MODE_REPLACE, window, atom(connection, name),
                        XCB_ATOM_CARDINAL, 32, count, values);
}

// Reports the ConfigureNotify and MapNotify events of one window.
class ConfigureWatcher final : public QObject, public QAbstractNativeEventFilter
{
public:
    ConfigureWatcher(QWidget &window, std::function<void()> changed)
        : QObject(&window)
        , m_window(xcb_window_t(window.winId()))
        , m_changed(std::move(changed))
    {
        qApp->installNativeEventFilter(this);
    }

    ~ConfigureWatcher() override { qApp->removeNativeEventFilter(this); }

    bool nativeEventFilter(const QByteArray &type, void *message, qintptr *) override
    {
        if (type != "xcb_generic_event_t")
            return false;
        const auto *event = static_cast<const xcb_generic_event_t *>(message);
        const int kind = event->response_type & 0x7F;
        if ((kind == XCB_CONFIGURE_NOTIFY &&
             reinterpret_cast<const xcb_configure_notify_event_t *>(event)->window == m_window) ||
            (kind == XCB_MAP_NOTIFY &&
             reinterpret_cast<const xcb_map_notify_event_t *>(event)->window == m_window))
            m_changed();
        return false;
    }

private:
    xcb_window_t m_window;
    std::function<void()> m_changed;
};

} // namespace

void markAsDock(QWidget &window)
{
    xcb_connection_t *connection = x11Connection();
    if (!connection)
        return;
    const auto id = xcb_window_t(window.winId());
    const xcb_atom_t dock = atom(connection, Atoms::TypeDock);
    xcb_change_property(connection, XCB_PROP_MODE_REPLACE, id, atom(connection, Atoms::Type),
                        XCB_ATOM_ATOM, 32, 1, &dock);
    const quint32 everyWorkspace = 0xFFFFFFFF;
    setCardinals(connection, id, Atoms::Desktop, &everyWorkspace, 1);
    xcb_flush(connection);
}

bool serverGeometry(QWidget &window, QRect &placed, QSize &rootSize)
{
    xcb_connection_t *connection = x11Connection();
    if (!connection)
        return false;
    const auto id = xcb_window_t(window.winId());
    // The root is the first screen's: Qt opens one X screen, whatever its monitors.
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
    // Asked together, answered in one round trip.
    const auto ownCookie = xcb_get_geometry(connection, id);
    const auto rootCookie = xcb_get_geometry(connection, root);
    const auto whereCookie = xcb_translate_coordinates(connection, id, root, 0, 0);
    const auto mappedCookie = xcb_get_window_attributes(connection, id);
    const auto own = owned(xcb_get_geometry_reply(connection, ownCookie, nullptr));
    const auto rootGeometry = owned(xcb_get_geometry_reply(connection, rootCookie, nullptr));
    const auto where = owned(xcb_translate_coordinates_reply(connection, whereCookie, nullptr));
    const auto mapped = owned(xcb_get_window_attributes_reply(connection, mappedCookie, nullptr));
    // Until it is mapped, a window manager has not placed it yet.
    if (!own || !rootGeometry || !where || !mapped || mapped->map_state != XCB_MAP_STATE_VIEWABLE)
        return false;
    placed = QRect(where->dst_x, where->dst_y, own->width, own->height);
    rootSize = QSize(rootGeometry->width, rootGeometry->height);
    return true;
}

void setStrut(QWidget &window, const StrutPartial &strut, bool legacyToo)
{
    xcb_connection_t *connection = x11Connection();
    if (!connection)
        return;
    const auto id = xcb_window_t(window.winId());
    if (strut == StrutPartial()) {
        xcb_delete_property(connection, id, atom(connection, Atoms::StrutPartial));
        xcb_delete_property(connection, id, atom(connection, Atoms::Strut));
    } else {
        const std::array<quint32, 12> values = strut.values();
        setCardinals(connection, id, Atoms::StrutPartial, values.data(), 12);
        if (legacyToo)
            setCardinals(connection, id, Atoms::Strut, values.data(), 4);
        else
            xcb_delete_property(connection, id, atom(connection, Atoms::Strut));
    }
    xcb_flush(connection);
}

void watchServerGeometry(QWidget &window, std::function<void()> changed)
{
    if (x11Connection())
        new ConfigureWatcher(window, std::move(changed)); // owned by the window
}

} // namespace zel

#else

namespace zel {

void markAsDock(QWidget &) { }

bool serverGeometry(QWidget &, QRect &, QSize &)
{
    return false;
}

void setStrut(QWidget &, const StrutPartial &, bool) { }

void watchServerGeometry(QWidget &, std::function<void()>) { }

} // namespace zel

#endif
