#include "compositorplacement.h"

#include <QGuiApplication>
#include <QWidget>

namespace zel {

bool compositorPlacesWindows()
{
    return QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
}

void sizeWindow(QWidget &window, const QSize &size)
{
    if (compositorPlacesWindows())
        window.setFixedSize(size);
    else
        window.resize(size);
}

} // namespace zel
