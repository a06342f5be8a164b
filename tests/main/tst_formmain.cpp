#include "formmain.h"
#include "formremocon.h"
#include "gothicfont.h"
#include "inettransfer.h"
#include "messagebox.h"
#include "modulemain.h"
#include "pacedeventqueue.h"
#include "titlebarlabel.h"
#include "twips.h"
#include "zelframe.h"
#include "zelpropertybox.h"
#include "zeltextbox.h"

#include <QFile>
#include <QFontMetricsF>
#include <QPaintEvent>
#include <QScreen>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTest>

#include <cmath>
#include <memory>
#include <utility>

using namespace zel;

namespace {

// Answers every request on 127.0.0.1 with one canned response.
class OnePageServer final : public QTcpServer
{
public:
    explicit OnePageServer(QByteArray response)
        : m_response(std::move(response))
    {
        connect(this, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket *socket = nextPendingConnection()) {
                connect(socket, &QTcpSocket::readyRead, socket, [this, socket] {
                    if (!socket->readAll().contains("\r\n\r\n"))
                        return;
                    socket->write(m_response);
                    socket->disconnectFromHost();
                });
                connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
            }
        });
        listen(QHostAddress::LocalHost);
    }

    QString url(const QString &path = QStringLiteral("/")) const
    {
        return QStringLiteral("http://127.0.0.1:%1%2").arg(serverPort()).arg(path);
    }

private:
    QByteArray m_response;
};

QByteArray httpResponse(const QByteArray &status, const QByteArray &contentType,
                        const QByteArray &body)
{
    return "HTTP/1.1 " + status + "\r\nContent-Type: " + contentType +
        "\r\nContent-Length: " + QByteArray::number(body.size()) + "\r\nConnection: close\r\n\r\n" +
        body;
}

// The areas a widget was asked to repaint.
class PaintedAreas final : public QObject
{
public:
    int count() const { return m_count; }

    // The widest area since the last call.
    int widest() { return std::exchange(m_widest, 0); }

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Paint) {
            ++m_count;
            m_widest = std::max(m_widest,
                                static_cast<QPaintEvent *>(event)->region().boundingRect().width());
        }
        return false;
    }

private:
    int m_count = 0;
    int m_widest = 0;
};

} // namespace

class TestFormMain final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();

    void startUp_idleStripAsWideAsTheScreen();
    void layoutPass_keepsOneBoxHighAndNoWiderThanTheScreen();
    void layoutPass_placesHandleAndFrame();
    void textBox_tellsOnlyChangesOfThePicture();
    void textBoxes_meetPixelExactlyAtEveryPosition();
    void textBoxes_moveWithoutDrawingTheirTextAgain();
    void properties_storeWhatTheyAreGiven();
    void zelText_flattensTheCallersVariable();
    void mouse_rightPressOnHandleShowsPanelOnly();
    void mouse_leftPressDragsFromHandleFrameAndBoxes_data();
    void mouse_leftPressDragsFromHandleFrameAndBoxes();
    void fileOpen_readsEverySourceKind();
    void fileOpen_pageGivesTextWithReferencesKept();
    void fileOpen_binaryDataShowsMessageAndKeepsText();
    void fileOpen_failuresNameTheSourceAndKeepText_data();
    void fileOpen_failuresNameTheSourceAndKeepText();

private:
    void writeFile(const QString &name, const QByteArray &bytes);
    QString pathOf(const QString &name) const { return m_dir.filePath(name); }

    QTemporaryDir m_dir;
    std::unique_ptr<FormMain> m_form;
    QStringList m_messages;
};

void TestFormMain::initTestCase()
{
    registerFontSubstitutions();
    MessageBox::setInterceptor(
        [this](MessageBox::Kind, const QString &text) { m_messages << text; });
}

void TestFormMain::init()
{
    m_messages.clear();
    m_form = std::make_unique<FormMain>();
    m_form->setProgramEnd([] {});
    QVERIFY(m_form->Form_Initialize().isOk());
}

void TestFormMain::cleanup()
{
    m_form.reset();
}

void TestFormMain::writeFile(const QString &name, const QByteArray &bytes)
{
    QFile file(pathOf(name));
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(bytes), bytes.size());
}

void TestFormMain::startUp_idleStripAsWideAsTheScreen()
{
    const int screenWidth = m_form->screen()->geometry().width();
    QCOMPARE(m_form->width(), screenWidth);
    QCOMPARE(m_form->height(), twipsToPixels(m_form->TextZel(0)->Height()));
    QVERIFY(m_form->height() > 5 && m_form->height() < 40);
    QCOMPARE(m_form->PathType(), 0);
    QCOMPARE(m_form->Path(), QString());
    QCOMPARE(m_form->ZelEngine(), qint16(0));
    QCOMPARE(m_form->ZelText(), QString());
    QCOMPARE(m_form->engine()->ShiftSpeed(), qint16(1));
    QCOMPARE(m_form->engine()->ShiftTiming(), qint16(0));
    QVERIFY(m_form->TextZel(0)->isHidden());
    QVERIFY(m_form->TextZel(1)->isHidden());
    QCOMPARE(m_form->ZelPB()->MaxShiftSpeed(), qint16(1000));
    QCOMPARE(m_form->ZelPB()->MaxShiftTiming(), qint16(1000));
    QCOMPARE(m_form->ZelPB()->MinShiftSpeed(), qint16(0));
    QCOMPARE(m_form->ZelPB()->MinShiftTiming(), qint16(0));
}

void TestFormMain::layoutPass_keepsOneBoxHighAndNoWiderThanTheScreen()
{
    m_form->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_form.get()));
    const int screenWidth = m_form->screen()->geometry().width();
    const int lineHeight = twipsToPixels(m_form->TextZel(0)->Height());

    m_form->resize(screenWidth + 300, lineHeight * 4);
    QTRY_COMPARE(m_form->width(), screenWidth);
    QCOMPARE(m_form->height(), lineHeight);

    m_form->resize(screenWidth / 2, lineHeight + 7);
    QTRY_COMPARE(m_form->height(), lineHeight);
    QCOMPARE(m_form->width(), screenWidth / 2);
}

void TestFormMain::textBox_tellsOnlyChangesOfThePicture()
{
    m_form->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_form.get()));
    QVERIFY(m_form->engine()->setFuel(true).isOk());
    ZelTextBox *box = m_form->TextZel(0);
    const double outside = m_form->FrameZel()->Width() + 30;
    box->setTop(0);
    box->setWidth(600);
    box->setLeft(outside);
    m_form->eventQueue()->yieldOnce();
    QSignalSpy changes(box, &ZelTextBox::PictureChanged);

    box->setLeft(outside - 15);
    QCOMPARE(changes.count(), 0);
    QVERIFY(!m_form->eventQueue()->pictureChangePending());
    box->setLeft(300);
    box->setLeft(307);
    QCOMPARE(changes.count(), 1);
    QVERIFY(m_form->eventQueue()->pictureChangePending());
    box->setText(QStringLiteral("other"));
    QCOMPARE(changes.count(), 2);
    box->setWidth(0);
    box->setLeft(150);
    QCOMPARE(changes.count(), 3);
    box->setVisible(false);
    QCOMPARE(changes.count(), 4);
}

void TestFormMain::layoutPass_placesHandleAndFrame()
{
    QVERIFY(m_form->Form_Resize().isOk());
    const QRect handle = m_form->LabelTitleBer()->geometry();
    const QRect frame = m_form->FrameZel()->geometry();
    QCOMPARE(handle, QRect(0, 0, twipsToPixels(150), m_form->height()));
    QCOMPARE(frame,
             QRect(twipsToPixels(180), 0, m_form->width() - twipsToPixels(180), m_form->height()));
}

// The ticker puts the second box at the first one's Left + Width, in twips
// with fractions.
void TestFormMain::textBoxes_meetPixelExactlyAtEveryPosition()
{
    ZelTextBox *lead = m_form->TextZel(0);
    ZelTextBox *next = m_form->TextZel(1);
    for (const double width : { 2430.4, 1234.5678, 7.77, 22.5 }) {
        lead->setWidth(width);
        for (double left = -3000.3; left < 3000; left += 7.31) {
            lead->setLeft(left);
            next->setLeft(lead->Left() + lead->Width());
            QVERIFY2(next->geometry().left() == lead->geometry().right() + 1,
                     qPrintable(QStringLiteral("left %1, width %2").arg(left).arg(width)));
        }
    }
}

// Every frame of a running ticker moves the boxes: each box draws its text
// once, and a move repaints only the column it uncovers.
void TestFormMain::textBoxes_moveWithoutDrawingTheirTextAgain()
{
    m_form->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_form.get()));
    QVERIFY(m_form->engine()->setFuel(true).isOk());
    ZelTextBox *lead = m_form->TextZel(0);
    ZelTextBox *next = m_form->TextZel(1);
    const QString text = QStringLiteral("The quick brown fox jumps over the lazy dog, 1234567890.");
    const double advance = QFontMetricsF(lead->font()).horizontalAdvance(text);
    QVERIFY2(advance != std::floor(advance), "the test needs a width of a pixel and a fraction");
    const int rendersBefore[] = { lead->textRenders(), next->textRenders() };
    lead->setText(text);
    next->setText(text.toUpper());
    FitTextBox(*m_form, *lead);
    FitTextBox(*m_form, *next);
    lead->setTop(0);
    next->setTop(0);
    const double start = m_form->FrameZel()->Width() - lead->Width() - 450;
    lead->setLeft(start);
    next->setLeft(lead->Left() + lead->Width());
    QCoreApplication::processEvents();

    PaintedAreas painted;
    lead->installEventFilter(&painted);
    next->installEventFilter(&painted);
    for (int twips = 1; twips <= 400; ++twips) {
        lead->setLeft(start - twips);
        next->setLeft(lead->Left() + lead->Width());
        QCoreApplication::processEvents();
        const int widest = painted.widest();
        QVERIFY2(
            widest <= 2,
            qPrintable(QStringLiteral("%1 px repainted after %2 twips").arg(widest).arg(twips)));
    }
    QVERIFY(painted.count() > 0);

    // Nor does a width of a pixel and a fraction from elsewhere lay the text out again.
    lead->setWidth(lead->Width() + 7.5);
    for (int twips = 401; twips <= 500; ++twips) {
        lead->setLeft(start - twips);
        QCoreApplication::processEvents();
    }
    QCOMPARE_LE(lead->textRenders() - rendersBefore[0], 1);
    QCOMPARE_LE(next->textRenders() - rendersBefore[1], 1);
}

void TestFormMain::properties_storeWhatTheyAreGiven()
{
    for (const qint32 type : { -1, 0, 1, 7, -32769 }) {
        m_form->setPathType(type);
        QCOMPARE(m_form->PathType(), type);
    }
    m_form->setPath(QStringLiteral(u"/tmp/ニュース.txt"));
    QCOMPARE(m_form->Path(), QStringLiteral(u"/tmp/ニュース.txt"));
}

void TestFormMain::zelText_flattensTheCallersVariable()
{
    QString text = QStringLiteral("wo<b>r</b>d\r\nnext line");
    QVERIFY(m_form->setZelText(text).isOk());
    QCOMPARE(text, QStringLiteral("word next line"));
    QCOMPARE(m_form->ZelText(), QStringLiteral("word next line"));
}

void TestFormMain::mouse_rightPressOnHandleShowsPanelOnly()
{
    QTest::mousePress(m_form->FrameZel(), Qt::RightButton);
    QTest::mousePress(m_form->TextZel(0), Qt::RightButton);
    QTest::mousePress(m_form->LabelTitleBer(), Qt::MiddleButton);
    QVERIFY(!m_form->FRC()->window() || !m_form->FRC()->window()->isVisible());

    QTest::mousePress(m_form->LabelTitleBer(), Qt::RightButton);
    QVERIFY(m_form->FRC()->window());
    QVERIFY(m_form->FRC()->window()->isVisible());
}

void TestFormMain::mouse_leftPressDragsFromHandleFrameAndBoxes_data()
{
    QTest::addColumn<QString>("part");
    QTest::newRow("handle") << QStringLiteral("LabelTitleBer");
    QTest::newRow("frame") << QStringLiteral("FrameZel");
    QTest::newRow("box 0") << QStringLiteral("TextZel0");
    QTest::newRow("box 1") << QStringLiteral("TextZel1");
}

// The offscreen platform has no move of its own, so the window follows the
// pointer itself: it grabs the mouse until the button is released.
void TestFormMain::mouse_leftPressDragsFromHandleFrameAndBoxes()
{
    QFETCH(QString, part);
    m_form->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_form.get()));
    auto *widget = m_form->findChild<QWidget *>(part);
    QVERIFY(widget);
    widget->show();
    widget->resize(std::max(widget->width(), 20), std::max(widget->height(), 5));

    QTest::mousePress(widget, Qt::LeftButton, {}, QPoint(2, 2));
    QCOMPARE(QWidget::mouseGrabber(), m_form.get());
    QTest::mouseRelease(widget, Qt::LeftButton, {}, QPoint(2, 2));
    QTRY_VERIFY(QWidget::mouseGrabber() == nullptr);
}

void TestFormMain::fileOpen_readsEverySourceKind()
{
    writeFile(QStringLiteral("news.txt"),
              QStringLiteral(u"今日の<i>ニュース</i>\n二行目").toUtf8());

    m_form->setPathType(0);
    m_form->setPath(pathOf(QStringLiteral("news.txt")));
    QVERIFY(m_form->FileOpen().isOk());
    QCOMPARE(m_form->ZelText(), QStringLiteral(u"今日のニュース 二行目"));

    m_form->setPathType(-1);
    m_form->setPath(QStringLiteral("/no/such/file"));
    QVERIFY(m_form->FileOpen().isOk());
    QCOMPARE(m_form->ZelText(), QStringLiteral(u"今日のニュース 二行目"));

    m_form->setPathType(5);
    QVERIFY(m_form->FileOpen().isOk());
    QCOMPARE(m_form->ZelText(), QString());

    writeFile(QStringLiteral("empty.txt"), {});
    m_form->setPathType(0);
    m_form->setPath(pathOf(QStringLiteral("empty.txt")));
    QString old = QStringLiteral("old");
    QVERIFY(m_form->setZelText(old).isOk());
    QVERIFY(m_form->FileOpen().isOk());
    QCOMPARE(m_form->ZelText(), QString());
    QVERIFY(m_messages.isEmpty());
}

void TestFormMain::fileOpen_pageGivesTextWithReferencesKept()
{
    const QByteArray page(
        "<html><head><title>T</title></head>\r\n<body>Tom &amp; Jerry</body></html>");
    OnePageServer server(httpResponse("200 OK", "text/html; charset=utf-8", page));
    m_form->setPathType(1);
    m_form->setPath(server.url(QStringLiteral("/news.html")));
    QVERIFY(m_form->FileOpen().isOk());
    QCOMPARE(m_form->ZelText(), QStringLiteral("T Tom &amp; Jerry"));
}

void TestFormMain::fileOpen_binaryDataShowsMessageAndKeepsText()
{
    QString kept = QStringLiteral("kept text");
    QVERIFY(m_form->setZelText(kept).isOk());

    static const char elfHeader[] = "\x7f"
                                    "ELF\x02\x01\x01\x00\x00\x00\x00\x00";
    writeFile(QStringLiteral("program.bin"),
              QByteArray(elfHeader, sizeof elfHeader - 1).repeated(50));
    m_form->setPathType(0);
    m_form->setPath(pathOf(QStringLiteral("program.bin")));
    QVERIFY(m_form->FileOpen().isOk());
    QCOMPARE(m_messages, QStringList { QStringLiteral(u"バイナリファイルです。") });
    QCOMPARE(m_form->ZelText(), kept);

    m_messages.clear();
    static const char pngHeader[] =
        "\x89PNG\r\n\x1a\n\x00\x00\x00\x0dIHDR\x00\x00\x00\x01\x00\x00\x00\x01\x08\x06";
    const QByteArray png(pngHeader, sizeof pngHeader - 1);
    OnePageServer server(httpResponse("200 OK", "image/png", png));
    m_form->setPathType(1);
    m_form->setPath(server.url(QStringLiteral("/logo.png")));
    QVERIFY(m_form->FileOpen().isOk());
    QCOMPARE(m_messages, QStringList { QStringLiteral(u"バイナリファイルです。") });
    QCOMPARE(m_form->ZelText(), kept);
}

void TestFormMain::fileOpen_failuresNameTheSourceAndKeepText_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("named");
    QTest::newRow("missing file") << 0 << QStringLiteral("missing.txt")
                                  << QStringLiteral("missing.txt");
    QTest::newRow("folder") << 0 << QStringLiteral("sub") << QStringLiteral("sub");
    QTest::newRow("no file chosen") << 0 << QString() << QString();
    QTest::newRow("not a URL") << 1 << QStringLiteral("http://") << QStringLiteral("http://");
    QTest::newRow("refused") << 1 << QStringLiteral("http://127.0.0.1:1/x")
                             << QStringLiteral("127.0.0.1:1");
}

void TestFormMain::fileOpen_failuresNameTheSourceAndKeepText()
{
    QFETCH(int, kind);
    QFETCH(QString, path);
    QFETCH(QString, named);
    QVERIFY(QDir(m_dir.path()).mkpath(QStringLiteral("sub")));
    QString kept = QStringLiteral("kept text");
    QVERIFY(m_form->setZelText(kept).isOk());

    m_form->setPathType(kind);
    m_form->setPath(kind == 0 && !path.isEmpty() ? pathOf(path) : path);
    const Status status = m_form->FileOpen();
    QVERIFY(status.isFailure());
    QVERIFY2(status.message().contains(named), qPrintable(status.message()));
    QVERIFY(!status.message().contains(QStringLiteral(u"バイナリ")));
    QCOMPARE(m_form->ZelText(), kept);
    QVERIFY(m_messages.isEmpty());
}

QTEST_MAIN(TestFormMain)
#include "tst_formmain.moc"
