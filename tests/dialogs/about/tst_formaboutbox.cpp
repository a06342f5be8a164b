#include "abouttext.h"
#include "formaboutbox.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QTemporaryDir>
#include <QTest>

using namespace zel;

class TestFormAboutBox final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void caption_data();
    void caption();
    void showsPlainTextCentred_data();
    void showsPlainTextCentred();
    void everyRequestOpensANewBox();

private:
    void writeComment(const QByteArray &bytes);
    static QLabel *label(FormAboutBox *box)
    {
        return box->findChild<QLabel *>(QStringLiteral("LabelComment"));
    }
    static void pressAndSettle(QWidget *target, Qt::MouseButton button)
    {
        QTest::mousePress(target, button, {}, QPoint(2, 2));
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    std::unique_ptr<QTemporaryDir> m_folder;
};

void TestFormAboutBox::init()
{
    m_folder = std::make_unique<QTemporaryDir>();
    QVERIFY(m_folder->isValid());
}

void TestFormAboutBox::writeComment(const QByteArray &bytes)
{
    QFile file(m_folder->filePath(QStringLiteral("AboutComment.txt")));
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(bytes), bytes.size());
}

void TestFormAboutBox::caption_data()
{
    QTest::addColumn<bool>("present");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("expectedBody"); // "#FILE#" stands for the comment file's path

    const char *error = "File Load Error !\r\nThis File:\r\n\r\n#FILE#";
    QTest::newRow("comment kept unchanged")
        << true << QByteArray("Hi\r\nthere\n") << "Hi\r\nthere\n";
    QTest::newRow("UTF-8 Japanese") << true << QByteArray("\xe3\x82\xbc\xe3\x83\xab")
                                    << QString::fromUtf8("\xe3\x82\xbc\xe3\x83\xab");
    QTest::newRow("empty comment") << true << QByteArray() << "";
    QTest::newRow("missing file") << false << QByteArray() << error;
    QTest::newRow("binary file") << true << QByteArray("\x00\x01\x02\xff\x00zz\x00", 8) << error;
}

void TestFormAboutBox::caption()
{
    QFETCH(bool, present);
    QFETCH(QByteArray, bytes);
    QFETCH(QString, expectedBody);

    if (present)
        writeComment(bytes);
    expectedBody.replace(
        QStringLiteral("#FILE#"),
        QDir::toNativeSeparators(m_folder->filePath(QStringLiteral("AboutComment.txt"))));
    const QString version = QStringLiteral("Zel Ver %1.%2.%3")
                                .arg(ZEL_VERSION_MAJOR)
                                .arg(ZEL_VERSION_MINOR)
                                .arg(ZEL_VERSION_PATCH);
    QCOMPARE(aboutCaptionFor(m_folder->path()),
             version + QStringLiteral("\r\n\r\n") + expectedBody);
}

void TestFormAboutBox::showsPlainTextCentred_data()
{
    QTest::addColumn<QByteArray>("comment");
    QTest::addColumn<bool>("largerThanBox");

    QTest::newRow("mark-up and CR line breaks") << QByteArray("<b>a & b</b>\r\nc\rd") << false;
    QTest::newRow("larger than the box")
        << QByteArray(120, 'W') + QByteArray("\n").repeated(20) + "end" << true;
}

void TestFormAboutBox::showsPlainTextCentred()
{
    QFETCH(QByteArray, comment);
    QFETCH(bool, largerThanBox);

    writeComment(comment);
    QPointer<FormAboutBox> box = FormAboutBox::showNew(m_folder->path());
    QVERIFY(QTest::qWaitForWindowExposed(box.data()));
    QCOMPARE(box->size(), QSize(200, 100));
    QLabel *text = label(box);
    QCOMPARE(text->textFormat(), Qt::PlainText);
    QVERIFY(!text->text().contains(u'\r'));
    if (!largerThanBox)
        QVERIFY(text->text().endsWith(QStringLiteral("\n\n<b>a & b</b>\nc\nd")));
    QCOMPARE(text->size(), text->sizeHint());
    QCOMPARE(text->x() < 0, largerThanBox);
    QCOMPARE(text->y() < 0, largerThanBox);
    // Equal margins, or equal clipping, on both sides.
    QVERIFY(qAbs(text->x() - (box->width() - text->geometry().right() - 1)) <= 1);
    QVERIFY(qAbs(text->y() - (box->height() - text->geometry().bottom() - 1)) <= 1);
    box->close();
}

void TestFormAboutBox::everyRequestOpensANewBox()
{
    QPointer<FormAboutBox> first = FormAboutBox::showNew(m_folder->path());
    writeComment("now there is one");
    QPointer<FormAboutBox> second = FormAboutBox::showNew(m_folder->path());
    QPointer<FormAboutBox> third = FormAboutBox::showNew(m_folder->path());
    QVERIFY(first && second && third && first != second);
    QVERIFY(first->isVisible() && second->isVisible() && third->isVisible());
    // Each box shows the file as it was when that box opened.
    QVERIFY(label(first)->text().contains(QStringLiteral("File Load Error !")));
    QVERIFY(label(second)->text().endsWith(QStringLiteral("now there is one")));

    // Any button closes and frees a box, on the background or on the label.
    pressAndSettle(label(second), Qt::RightButton);
    QVERIFY(second.isNull());
    QVERIFY(first && third);
    pressAndSettle(third, Qt::MiddleButton);
    QVERIFY(third.isNull());
    pressAndSettle(first, Qt::LeftButton);
    QVERIFY(first.isNull());
}

QTEST_MAIN(TestFormAboutBox)
#include "tst_formaboutbox.moc"
