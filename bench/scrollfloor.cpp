// zel-scroll-floor: the least a Qt widget program does to scroll a one-line
// strip by one pixel per frame at a given pace. It has no engine, no step
// schedule and no second box, so its CPU share is the floor that the running
// ticker's share is compared with, in the same run on the same machine:
//
//     zel-scroll-floor [pixels-per-second [strip-height]]
//     zel-scroll-floor --large-window
//
// bench/measure_scroll.py --floor runs it beside the ticker. The second form
// shows a dialog-sized window once and quits, so that the X server has freed a
// large block once, as on a desktop where programs come and go. Until then its
// allocator maps fresh memory for every request larger than its input buffer
// on a connection that once carried a large one (the ticker's, which shows a
// dialog); at 125 % or 150 % every frame is such a request, an image of the
// whole strip.

#include "plainimages.h"

#include <QApplication>
#include <QByteArrayView>
#include <QPaintEvent>
#include <QPainter>
#include <QPixmap>
#include <QScreen>
#include <QTimer>
#include <QWidget>

#include <chrono>
#include <cstdlib>

namespace {

using Clock = std::chrono::steady_clock;

class ScrollingStrip final : public QWidget
{
public:
    ScrollingStrip(double pixelsPerSecond, int height)
        : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint)
        , m_frame(std::chrono::duration_cast<Clock::duration>(
              std::chrono::duration<double>(1.0 / pixelsPerSecond)))
    {
        setAttribute(Qt::WA_OpaquePaintEvent);
        const int width = screen()->geometry().width();
        setGeometry(0, 0, width, height);
        m_text = QPixmap(3 * width, height);
        m_text.fill(Qt::white);
        QPainter painter(&m_text);
        for (int x = 0; x < m_text.width(); x += 90)
            painter.drawText(x, height - 3, QStringLiteral("Floor news %1").arg(x));

        m_timer.setSingleShot(true);
        m_timer.setTimerType(Qt::PreciseTimer);
        connect(&m_timer, &QTimer::timeout, this, &ScrollingStrip::nextFrame);
        m_slot = Clock::now();
        nextFrame();
    }

protected:
    void paintEvent(QPaintEvent *event) override
    {
        QPainter painter(this);
        const QRect area = event->rect();
        painter.drawPixmap(area, m_text, area.translated(m_offset % (2 * width()), 0));
    }

private:
    void nextFrame()
    {
        ++m_offset;
        scroll(-1, 0);
        m_slot += m_frame;
        const auto left = std::chrono::ceil<std::chrono::milliseconds>(m_slot - Clock::now());
        m_timer.start(std::max(left, std::chrono::milliseconds(0)));
    }

    const Clock::duration m_frame;
    Clock::time_point m_slot;
    QTimer m_timer;
    QPixmap m_text;
    int m_offset = 0;
};

} // namespace

int main(int argc, char *argv[])
{
    zel::preferPlainImagesOnX11();
    QApplication app(argc, argv);
    if (argc > 1 && QByteArrayView(argv[1]) == "--large-window") {
        QWidget window;
        window.resize(800, 600);
        window.show();
        QTimer::singleShot(500, &app, &QApplication::quit);
        return app.exec();
    }
    const double pixelsPerSecond = argc > 1 ? std::atof(argv[1]) : 1000.0 / 15;
    const int height = argc > 2 ? std::atoi(argv[2]) : 14;
    if (pixelsPerSecond <= 0 || height <= 0)
        return 2;
    ScrollingStrip strip(pixelsPerSecond, height);
    strip.show();
    return app.exec();
}
