#pragma once

#include <QByteArray>

namespace zel {

// The variables that tell which window systems a session offers, and the
// platform the user asked Qt for, if any.
struct SessionVariables
{
    QByteArray waylandDisplay; // WAYLAND_DISPLAY
    QByteArray sessionType; // XDG_SESSION_TYPE
    QByteArray display; // DISPLAY
    QByteArray userPlatform; // QT_QPA_PLATFORM
};

// The platform list to ask Qt for, or an empty array to leave Qt's own choice.
// In a Wayland session that also reaches X11 the strip runs through X11, where
// a window can place itself; a platform the user names always wins.
QByteArray platformForSession(const SessionVariables &session);

// Reads the session's variables and sets QT_QPA_PLATFORM when
// platformForSession asks for a platform. Must run before the application
// object is created.
void preferX11InWaylandSessions();

} // namespace zel
