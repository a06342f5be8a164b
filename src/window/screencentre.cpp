#include "screencentre.h"

#include "compositorplacement.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace zel {

void centreOnScreen(QWidget &window, const QScreen *screen)
{
    if (compositorPlacesWindows())
        return;
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect area = screen->geometry();
    window.move(area.x() + (area.width() - window.width()) / 2,
                area.y() + (area.height() - window.height()) / 2);
}

} // namespace zel
