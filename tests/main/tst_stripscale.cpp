#include "formmain.h"
#include "gothicfont.h"
#include "modulemain.h"
#include "twips.h"
#include "zelframe.h"
#include "zeltextbox.h"

#include <QBackingStore>
#include <QFontMetricsF>
#include <QPainter>
#include <QScreen>
#include <QTest>

#include <cmath>

using namespace zel;

// The strip at the display scale the run was started with (QT_SCALE_FACTOR):
// what the window shows, seam included, is the boxes' text drawn directly: on
// X11 as the server shows it, elsewhere as the window's backing store holds it.
class TestStripScale final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { registerFontSubstitutions(); }
    void stripShowsTheTextDrawnDirectly_data();
    void stripShowsTheTextDrawnDirectly();

private:
    QImage shown() const;
    QImage drawnDirectly() const;

    FormMain m_form;
};

void TestStripScale::stripShowsTheTextDrawnDirectly_data()
{
    QTest::addColumn<QString>("text");
    QTest::newRow("latin") << QStringLiteral("Rain at noon, 12 trains late; the bridge is shut.");
    QTest::newRow("japanese") << QStringLiteral(
        u"東京は晴れ、ところにより雨。電車の遅れにご注意ください。");
    QTest::newRow("mixed") << QStringLiteral(u"速報 market 23、天気 snow 7。ニュース harbour");
}

// The boxes get new texts, as at a swap, then move a pixel at a time with the
// lead box a few pixels wider than its text, so that the boxes' edges fall on
// every fraction of a device pixel.
void TestStripScale::stripShowsTheTextDrawnDirectly()
{
    QFETCH(QString, text);
    m_form.setProgramEnd([] {});
    if (!m_form.engine()) {
        QVERIFY(m_form.Form_Initialize().isOk());
        m_form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&m_form));
        QVERIFY(m_form.engine()->setFuel(true).isOk());
    }
    ZelTextBox *lead = m_form.TextZel(0);
    ZelTextBox *next = m_form.TextZel(1);
    lead->setText(text);
    next->setText(text.right(9) + text);
    for (int step = 0; step <= 16; ++step) {
        FitTextBox(m_form, *lead);
        FitTextBox(m_form, *next);
        lead->setWidth(lead->Width() + pixelsToTwips(step / 4));
        lead->setTop(0);
        next->setTop(0);
        lead->setLeft(300 - 15 * step - (step % 3) * 4);
        next->setLeft(lead->Left() + lead->Width());
        QCoreApplication::processEvents();
        QVERIFY2(shown() == drawnDirectly(), qPrintable(QStringLiteral("step %1").arg(step)));
    }
    // Then a few hundred frames as the ticker runs them, a logical pixel apart
    // (some two, some two moves to a paint), and a new text of the same size
    // on the lead box: the text stands where its logical position times the
    // scale rounds to, so it moves by the scale rounded down or up.
    for (int frame = 0; frame < 300; ++frame) {
        lead->setLeft(lead->Left() - pixelsToTwips(frame % 40 == 39 ? 2 : 1));
        next->setLeft(lead->Left() + lead->Width());
        if (frame == 12)
            lead->setText(text.right(9) + text.left(text.size() - 9));
        if (frame % 5 == 3)
            continue;
        QCoreApplication::processEvents();
        QVERIFY2(shown() == drawnDirectly(), qPrintable(QStringLiteral("frame %1").arg(frame)));
    }
}

// The frame's part of the window, in device pixels.
QImage TestStripScale::shown() const
{
    const qreal ratio = m_form.devicePixelRatioF();
    const QRect frame = m_form.FrameZel()->geometry();
    QImage window;
    if (QGuiApplication::platformName() == QLatin1String("xcb")) {
        window = m_form.screen()->grabWindow(m_form.winId()).toImage();
    } else {
        QPaintDevice *store = m_form.backingStore()->paintDevice();
        if (store->devType() != QInternal::Image)
            return {};
        window = *static_cast<QImage *>(store);
    }
    QImage image = window.copy(QRect(frame.topLeft() * ratio, frame.size() * ratio))
                       .convertToFormat(QImage::Format_RGB32);
    image.setDevicePixelRatio(1);
    return image;
}

// Each box's text drawn from the device pixel its left edge falls on, up to its
// advance in whole pixels, the box's background to its right edge.
QImage TestStripScale::drawnDirectly() const
{
    const qreal ratio = m_form.devicePixelRatioF();
    QImage strip(m_form.FrameZel()->size() * ratio, QImage::Format_RGB32);
    strip.fill(m_form.FrameZel()->palette().color(QPalette::Window));
    QPainter painter(&strip);
    const int frameLeft = m_form.FrameZel()->x(); // the window's pixels are rounded
    const auto deviceX = [&](int x) {
        return qRound((frameLeft + x) * ratio) - qRound(frameLeft * ratio);
    };
    for (const ZelTextBox *box : { m_form.TextZel(0), m_form.TextZel(1) }) {
        const int left = deviceX(box->x());
        QImage text(deviceX(box->x() + box->width()) - left, strip.height(), QImage::Format_RGB32);
        text.setDevicePixelRatio(ratio);
        text.fill(box->palette().color(QPalette::Window));
        QPainter textPainter(&text);
        textPainter.setPen(box->palette().color(QPalette::WindowText));
        textPainter.setFont(box->font());
        const qreal advance = QFontMetricsF(box->font()).horizontalAdvance(box->Text());
        textPainter.setClipRect(QRectF(0, 0, std::ceil(advance), box->height()));
        textPainter.drawText(QRectF(0, 0, 100000, box->height()), Qt::AlignTop, box->Text());
        textPainter.end();
        text.setDevicePixelRatio(1);
        painter.drawImage(left, 0, text);
    }
    return strip;
}

QTEST_MAIN(TestStripScale)
#include "tst_stripscale.moc"
