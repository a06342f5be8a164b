#include "platformchoice.h"

#include <QtGlobal>

namespace zel {

QByteArray platformForSession(const SessionVariables &session)
{
    // Qt reads an empty QT_QPA_PLATFORM as no choice at all.
    if (!session.userPlatform.isEmpty())
        return {};
    const bool wayland = !session.waylandDisplay.isEmpty() || session.sessionType == "wayland";
    if (!wayland || session.display.isEmpty())
        return {};
    return QByteArrayLiteral("xcb;wayland");
}

void preferX11InWaylandSessions()
{
    const QByteArray platform =
        platformForSession({ qgetenv("WAYLAND_DISPLAY"), qgetenv("XDG_SESSION_TYPE"),
                             qgetenv("DISPLAY"), qgetenv("QT_QPA_PLATFORM") });
    if (!platform.isEmpty())
        qputenv("QT_QPA_PLATFORM", platform);
}

} // namespace zel
