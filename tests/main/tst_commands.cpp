#include "formmain.h"
#include "formremocon.h"
#include "gothicfont.h"
#include "messagebox.h"
#include "zelframe.h"
#include "zelpropertybox.h"
#include "zeltextbox.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFile>
#include <QLineEdit>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <functional>
#include <memory>

using namespace zel;

namespace {

// Runs `action` once the next modal dialog is open.
void whenModalDialogOpens(std::function<void(QWidget *)> action)
{
    auto *poll = new QTimer(qApp);
    poll->setInterval(5);
    QObject::connect(poll, &QTimer::timeout, poll, [poll, action] {
        if (QWidget *dialog = QApplication::activeModalWidget()) {
            poll->stop();
            poll->deleteLater();
            action(dialog);
        }
    });
    poll->start();
}

void cancelDialog(QWidget *dialog)
{
    dialog->findChild<QAbstractButton *>(QStringLiteral("btnCancel"))->click();
}

std::function<void(QWidget *)> acceptPath(const QString &path)
{
    return [path](QWidget *dialog) {
        dialog->findChild<QLineEdit *>(QStringLiteral("TextPathBox"))->setText(path);
        dialog->findChild<QAbstractButton *>(QStringLiteral("btnOK"))->click();
    };
}

QList<QWidget *> visibleWindowsNamed(const QString &name)
{
    QList<QWidget *> found;
    for (QWidget *window : QApplication::topLevelWidgets())
        if (window->objectName() == name && window->isVisible())
            found << window;
    return found;
}

// The sanitizers keep freed memory in quarantine, so there the resident size
// says nothing about leaks; their own checks do.
#if defined(__SANITIZE_ADDRESS__)
constexpr bool kResidentSizeIsMeaningful = false;
#else
constexpr bool kResidentSizeIsMeaningful = true;
#endif

qint64 residentKiB()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray &line : status.readAll().split('\n'))
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').first().toLongLong();
    return 0;
}

} // namespace

class TestCommands final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();

    void outsideTheTable_changesNothing_data();
    void outsideTheTable_changesNothing();
    void quit_stopsTickerHidesWindowAndEnds();
    void aboutBox_eachClickOpensAnother();
    void settings_showEngineValuesAndWriteChangesBack();
    void getData_cancelFirstStartsTickerWithEmptyText();
    void getData_okLoadsFileAndRuns();
    void getData_cancelWhileRunningContinuesWithNextPiece();
    void getData_loadFailureIsShownAndTickerNotStarted();
    void reload_beforeAnySourceAndAfterCancel();
    void reload_whileRunningShowsNewTextAtOnce();
    void reload_aThousandTimesWhileRunningNeitherNestsNorGrows();

private:
    // Runs `during` from inside the ticker's loop once it has stepped a while,
    // then quits, which ends the loop.
    void whileRunning(std::function<void()> during);
    void writeFile(const QString &name, const QByteArray &bytes);

    QTemporaryDir m_dir;
    std::unique_ptr<FormMain> m_form;
    QStringList m_messages;
    int m_ends = 0;
};

void TestCommands::initTestCase()
{
    registerFontSubstitutions();
    MessageBox::setInterceptor(
        [this](MessageBox::Kind, const QString &text) { m_messages << text; });
}

void TestCommands::init()
{
    m_messages.clear();
    m_ends = 0;
    m_form = std::make_unique<FormMain>();
    m_form->setProgramEnd([this] { ++m_ends; });
    m_form->setProgramFolder(m_dir.path());
    QVERIFY(m_form->Form_Initialize().isOk());
    m_form->show();
}

void TestCommands::cleanup()
{
    m_form.reset();
    for (QWidget *window : QApplication::topLevelWidgets())
        window->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void TestCommands::writeFile(const QString &name, const QByteArray &bytes)
{
    QFile file(m_dir.filePath(name));
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(bytes), bytes.size());
}

void TestCommands::whileRunning(std::function<void()> during)
{
    QTimer::singleShot(100, m_form.get(), [this, during] {
        during();
        if (m_form->ZelEngine() != 0)
            (void)m_form->UnloadMe();
    });
}

void TestCommands::outsideTheTable_changesNothing_data()
{
    QTest::addColumn<int>("index");
    QTest::newRow("X") << 0;
    QTest::newRow("6") << 6;
    QTest::newRow("-1") << -1;
    QTest::newRow("32767") << 32767;
}

void TestCommands::outsideTheTable_changesNothing()
{
    QFETCH(int, index);
    QString text = QStringLiteral("text");
    QVERIFY(m_form->setZelText(text).isOk());
    m_form->FRC_ButtonClick(static_cast<qint16>(index));
    QCOMPARE(m_form->ZelText(), text);
    QCOMPARE(m_form->PathType(), 0);
    QCOMPARE(m_form->ZelEngine(), qint16(0));
    QCOMPARE(m_ends, 0);
    QVERIFY(m_form->isVisible());
    QVERIFY(m_messages.isEmpty());
}

void TestCommands::quit_stopsTickerHidesWindowAndEnds()
{
    m_form->FRC_ButtonClick(1);
    QCOMPARE(m_ends, 1);
    QVERIFY(!m_form->isVisible());
    QCOMPARE(m_form->ZelEngine(), qint16(0));
}

void TestCommands::aboutBox_eachClickOpensAnother()
{
    m_form->FRC_ButtonClick(2);
    m_form->FRC_ButtonClick(2);
    QCOMPARE(visibleWindowsNamed(QStringLiteral("FormAboutBox")).size(), 2);
    QVERIFY(m_messages.isEmpty());
}

void TestCommands::settings_showEngineValuesAndWriteChangesBack()
{
    m_form->engine()->setShiftSpeed(3);
    m_form->engine()->setShiftTiming(4);
    m_form->FRC_ButtonClick(4);
    const auto dialogs = visibleWindowsNamed(QStringLiteral("FormZelPropertyBox"));
    QCOMPARE(dialogs.size(), 1);
    auto *speed = dialogs.first()->findChild<QScrollBar *>(QStringLiteral("HScrollShiftSpeed"));
    auto *timing = dialogs.first()->findChild<QScrollBar *>(QStringLiteral("HScrollShiftTiming"));
    QVERIFY(speed && timing);
    QCOMPARE(speed->value(), 3);
    QCOMPARE(timing->value(), 4);

    speed->setValue(9);
    QCOMPARE(m_form->engine()->ShiftSpeed(), qint16(9));
    QCOMPARE(m_form->engine()->ShiftTiming(), qint16(4));
    timing->setValue(0);
    QCOMPARE(m_form->engine()->ShiftTiming(), qint16(0));
    QCOMPARE(m_form->engine()->ShiftSpeed(), qint16(9));
}

void TestCommands::getData_cancelFirstStartsTickerWithEmptyText()
{
    bool ranWithEmptyText = false;
    whenModalDialogOpens(cancelDialog);
    whileRunning([&] {
        ranWithEmptyText = m_form->ZelEngine() != 0 && m_form->TextZel(0)->isVisible() &&
            m_form->TextZel(0)->Text().isEmpty() && m_form->ZelText().isEmpty();
    });
    m_form->FRC_ButtonClick(3);
    QVERIFY(ranWithEmptyText);
    QCOMPARE(m_form->PathType(), -1);
    QCOMPARE(m_form->Path(), QString());
    QCOMPARE(m_ends, 1);
}

void TestCommands::getData_okLoadsFileAndRuns()
{
    writeFile(QStringLiteral("news.txt"), "Breaking <b>news</b>\nfrom Zel");
    double leftAtStart = 0;
    double leftLater = 0;
    QTimer::singleShot(50, m_form.get(), [&] { leftAtStart = m_form->TextZel(0)->Left(); });
    whenModalDialogOpens(acceptPath(m_dir.filePath(QStringLiteral("news.txt"))));
    whileRunning([&] {
        leftLater = m_form->TextZel(0)->Left();
        QCOMPARE(m_form->TextZel(0)->Text(), QStringLiteral("Breaking news from Zel"));
    });
    m_form->FRC_ButtonClick(3);
    QCOMPARE(m_form->PathType(), 0);
    QCOMPARE(m_form->Path(), m_dir.filePath(QStringLiteral("news.txt")));
    QVERIFY2(leftLater < leftAtStart, "the text did not move left");
}

void TestCommands::getData_cancelWhileRunningContinuesWithNextPiece()
{
    const QByteArray first(512, 'a');
    const QByteArray second(512, 'b');
    writeFile(QStringLiteral("long.txt"), first + second + "c");
    QString leadingAfterCancel;
    whenModalDialogOpens(acceptPath(m_dir.filePath(QStringLiteral("long.txt"))));
    QTimer::singleShot(100, m_form.get(), [&] {
        QCOMPARE(m_form->TextZel(0)->Text(), QString::fromLatin1(first));
        whenModalDialogOpens(cancelDialog);
        m_form->FRC_ButtonClick(3);
        leadingAfterCancel = m_form->TextZel(0)->Text();
        (void)m_form->UnloadMe();
    });
    m_form->FRC_ButtonClick(3);
    QCOMPARE(leadingAfterCancel, QString::fromLatin1(second));
    QCOMPARE(m_form->PathType(), -1);
}

void TestCommands::getData_loadFailureIsShownAndTickerNotStarted()
{
    whenModalDialogOpens(acceptPath(m_dir.filePath(QStringLiteral("gone.txt"))));
    m_form->FRC_ButtonClick(3);
    QCOMPARE(m_messages.size(), 1);
    QVERIFY2(m_messages.first().contains(QStringLiteral("gone.txt")),
             qPrintable(m_messages.first()));
    QCOMPARE(m_form->ZelEngine(), qint16(0));
    QCOMPARE(m_ends, 0);
}

void TestCommands::reload_beforeAnySourceAndAfterCancel()
{
    m_form->FRC_ButtonClick(5);
    QCOMPARE(m_messages.size(), 1);
    QCOMPARE(m_form->ZelEngine(), qint16(0));

    m_messages.clear();
    m_form->setPathType(-1);
    QString text = QStringLiteral("stays");
    QVERIFY(m_form->setZelText(text).isOk());
    m_form->FRC_ButtonClick(5);
    QVERIFY(m_messages.isEmpty());
    QCOMPARE(m_form->ZelText(), text);
    QCOMPARE(m_form->ZelEngine(), qint16(0));
}

void TestCommands::reload_whileRunningShowsNewTextAtOnce()
{
    writeFile(QStringLiteral("news.txt"), "old news");
    QString shownAfterReload;
    whenModalDialogOpens(acceptPath(m_dir.filePath(QStringLiteral("news.txt"))));
    whileRunning([&] {
        writeFile(QStringLiteral("news.txt"), "fresh news");
        m_form->FRC_ButtonClick(5);
        shownAfterReload = m_form->TextZel(0)->Text();
        QCOMPARE(m_form->TextZel(0)->Left(), m_form->FrameZel()->Width());
    });
    m_form->FRC_ButtonClick(3);
    QCOMPARE(shownAfterReload, QStringLiteral("fresh news"));
}

void TestCommands::reload_aThousandTimesWhileRunningNeitherNestsNorGrows()
{
    writeFile(QStringLiteral("news.txt"), QByteArray("some news ").repeated(200));
    int returned = 0;
    qint64 growthKiB = -1;
    whenModalDialogOpens(acceptPath(m_dir.filePath(QStringLiteral("news.txt"))));
    whileRunning([&] {
        for (int i = 0; i < 100; ++i)
            m_form->FRC_ButtonClick(5);
        const qint64 before = residentKiB();
        for (int i = 0; i < 1000; ++i) {
            m_form->FRC_ButtonClick(5);
            ++returned;
        }
        growthKiB = residentKiB() - before;
    });
    m_form->FRC_ButtonClick(3);
    QCOMPARE(returned, 1000);
    QVERIFY(m_messages.isEmpty());
    if (kResidentSizeIsMeaningful)
        QVERIFY2(growthKiB < 2048, qPrintable(QStringLiteral("grew by %1 KiB").arg(growthKiB)));
}

QTEST_MAIN(TestCommands)
#include "tst_commands.moc"
