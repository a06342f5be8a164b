#include "backgroundpicture.h"

#include <QFont>
#include <QPainter>
#include <QRadialGradient>

#include <algorithm>

namespace zel {

QPixmap backgroundPicture(const QColor &corner, const QColor &average)
{
    constexpr int width = 200;
    constexpr int height = 100;
    // The centre is as far above the average as the corners are below it.
    const QColor centre(std::min(255, 2 * average.red() - corner.red()),
                        std::min(255, 2 * average.green() - corner.green()),
                        std::min(255, 2 * average.blue() - corner.blue()));

    QPixmap picture(width, height);
    QPainter painter(&picture);
    QRadialGradient gradient(width / 2.0, height / 2.0, 112.0);
    gradient.setColorAt(0.0, centre);
    gradient.setColorAt(1.0, corner);
    painter.fillRect(picture.rect(), gradient);

    QFont emblemFont(QStringLiteral("DejaVu Serif"));
    emblemFont.setPixelSize(84);
    emblemFont.setBold(true);
    painter.setFont(emblemFont);
    const QRect emblem(100, 0, 100, 100);
    const QString letter = QStringLiteral("Z");
    painter.setPen(centre.lighter(112));
    painter.drawText(emblem.translated(-1, -1), Qt::AlignCenter, letter);
    painter.setPen(corner.darker(108));
    painter.drawText(emblem.translated(1, 1), Qt::AlignCenter, letter);
    painter.setPen(average);
    painter.drawText(emblem, Qt::AlignCenter, letter);
    return picture;
}

} // namespace zel
