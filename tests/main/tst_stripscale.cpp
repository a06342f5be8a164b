#include "formmain.h"
#include "gothicfont.h"
#include "modulemain.h"
#include "twips.h"
#include "zelframe.h"
#include "zeltextbox.h"

#include <QBackingStore>
#include <QFontMetricsF>
#include <QPainter>
#include <QTest>

#include <cmath>
#include <memory>

using namespace zel;

namespace {

// The device columns in which two pictures of one size differ.
QString differingColumns(const QImage &a, const QImage &b)
{
    if (a.size() != b.size())
        return QStringLiteral("sizes differ");
    QStringList columns;
    for (int x = 0; x < a.width(); ++x)
        for (int y = 0; y < a.height(); ++y)
            if (a.pixel(x, y) != b.pixel(x, y)) {
                columns << QString::number(x);
                break;
            }
    return columns.join(u' ');
}

} // namespace

// The strip at the display scale the run was started with (QT_SCALE_FACTOR):
// what reaches the screen, seam included, is the boxes' text drawn directly.
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
    void place(double lead, int widerBy = 0);

    std::unique_ptr<FormMain> m_form;
};

void TestStripScale::stripShowsTheTextDrawnDirectly_data()
{
    QTest::addColumn<QString>("text");
    QTest::newRow("latin") << QStringLiteral("Rain at noon, 12 trains late; the bridge is shut.");
    QTest::newRow("japanese") << QStringLiteral(
        u"東京は晴れ、ところにより雨。電車の遅れにご注意ください。");
    QTest::newRow("mixed") << QStringLiteral(u"速報 market 23、天気 snow 7。ニュース harbour");
}

void TestStripScale::stripShowsTheTextDrawnDirectly()
{
    QFETCH(QString, text);
    m_form = std::make_unique<FormMain>();
    m_form->setProgramEnd([] {});
    QVERIFY(m_form->Form_Initialize().isOk());
    m_form->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_form.get()));
    QVERIFY(m_form->engine()->setFuel(true).isOk());

    // The boxes show a text, then get new ones, as the ticker's swap does.
    m_form->TextZel(0)->setText(text.toUpper());
    m_form->TextZel(1)->setText(text.toLower());
    place(600);
    m_form->TextZel(0)->setText(text);
    m_form->TextZel(1)->setText(text.right(9) + text);
    place(300);
    QCOMPARE(differingColumns(shown(), drawnDirectly()), QString());
    for (int step = 1; step <= 16; ++step) {
        place(300 - 15 * step - (step % 3) * 4, step / 4);
        QCOMPARE(differingColumns(shown(), drawnDirectly()), QString());
    }
}

// The lead box `twips` from the frame's left edge, the other against its right
// edge, fitted to their texts.
void TestStripScale::place(double lead, int widerBy)
{
    ZelTextBox *box0 = m_form->TextZel(0);
    ZelTextBox *box1 = m_form->TextZel(1);
    FitTextBox(*m_form, *box0);
    FitTextBox(*m_form, *box1);
    box0->setWidth(box0->Width() + pixelsToTwips(widerBy));
    box0->setTop(0);
    box1->setTop(0);
    box0->setLeft(lead);
    box1->setLeft(box0->Left() + box0->Width());
    QCoreApplication::processEvents();
}

QImage TestStripScale::shown() const
{
    const qreal ratio = m_form->devicePixelRatioF();
    const QRect frame = m_form->FrameZel()->geometry();
    // What the window system is given: the window's backing store.
    QPaintDevice *store = m_form->backingStore()->paintDevice();
    if (store->devType() != QInternal::Image)
        return {};
    const QImage &window = *static_cast<QImage *>(store);
    QImage image = window.copy(QRect(frame.topLeft() * ratio, frame.size() * ratio))
                       .convertToFormat(QImage::Format_RGB32);
    image.setDevicePixelRatio(1);
    return image;
}

QImage TestStripScale::drawnDirectly() const
{
    const ZelFrame *frame = m_form->FrameZel();
    const qreal ratio = m_form->devicePixelRatioF();
    QImage strip(frame->size() * ratio, QImage::Format_RGB32);
    strip.fill(frame->palette().color(QPalette::Window));
    QPainter painter(&strip);
    for (int i = 0; i < 2; ++i) {
        const ZelTextBox *box = m_form->TextZel(i);
        const int left = qRound(box->geometry().left() * ratio);
        const int right = qRound((box->geometry().right() + 1) * ratio);
        QImage text(right - left, strip.height(), QImage::Format_RGB32);
        text.setDevicePixelRatio(ratio);
        text.fill(box->palette().color(QPalette::Window));
        QPainter textPainter(&text);
        textPainter.setPen(box->palette().color(QPalette::WindowText));
        textPainter.setFont(box->font());
        // A box shows its text up to its advance in whole pixels.
        textPainter.setClipRect(
            QRectF(0, 0, std::ceil(QFontMetricsF(box->font()).horizontalAdvance(box->Text())),
                   box->height()));
        textPainter.drawText(QRectF(0, 0, 100000, box->height()),
                             Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, box->Text());
        textPainter.end();
        text.setDevicePixelRatio(1);
        painter.drawImage(left, 0, text);
    }
    return strip;
}

QTEST_MAIN(TestStripScale)
#include "tst_stripscale.moc"
