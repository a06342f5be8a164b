#include "drivelist.h"
#include "filelist.h"
#include "folderlist.h"
#include "foldertree.h"
#include "formpathbox.h"
#include "pathrules.h"

#include <QLineEdit>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTest>

using namespace zel;

class TestFormPathBox final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void optionsEnableTheLists_data();
    void optionsEnableTheLists();
    void pathLet_data();
    void pathLet();
    void folderListMovesOnDoubleClickAndEnter();
    void patternFiltersWhileTyping_data();
    void patternFiltersWhileTyping();

private:
    template<typename T> T *control(const char *name) const
    {
        return m_form->findChild<T *>(QString::fromLatin1(name));
    }
    QString pathBoxText() const { return control<QLineEdit>("TextPathBox")->text(); }
    void openAt(const QString &relativeFolder, bool show = false);
    void doubleClick(QAbstractItemView *view, const QRect &itemRect);

    std::unique_ptr<FolderTree> m_tree;
    std::unique_ptr<FormPathBox> m_form;
};

void TestFormPathBox::init()
{
    m_form.reset();
    m_tree = std::make_unique<FolderTree>();
    QVERIFY(m_tree->isValid());
    m_form = std::make_unique<FormPathBox>();
}

void TestFormPathBox::openAt(const QString &relativeFolder, bool show)
{
    QVERIFY(m_form->setPathType(0).isOk());
    m_form->setPath(m_tree->path(relativeFolder) + nativeSeparator());
    QCOMPARE(control<FolderList>("DirMain")->Path(), m_tree->path(relativeFolder));
    if (show) {
        m_form->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_form.get()));
    }
}

void TestFormPathBox::doubleClick(QAbstractItemView *view, const QRect &itemRect)
{
    // A real double-click starts with a click.
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, itemRect.center());
    QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, itemRect.center());
}

void TestFormPathBox::optionsEnableTheLists_data()
{
    QTest::addColumn<QList<int>>("clicks"); // option indexes, clicked in turn
    QTest::addColumn<bool>("fileChosen");
    QTest::addColumn<QString>("expectedText");

    QTest::newRow("others") << QList<int> { 1 } << false << "";
    QTest::newRow("others, then file again") << QList<int> { 1, 0 } << true << "@/alpha/";
}

void TestFormPathBox::optionsEnableTheLists()
{
    QFETCH(QList<int>, clicks);
    QFETCH(bool, fileChosen);
    QFETCH(QString, expectedText);

    openAt(QStringLiteral("alpha"), true);
    for (int index : clicks)
        QTest::mouseClick(control<QRadioButton>(index == 0 ? "OptionType0" : "OptionType1"),
                          Qt::LeftButton);

    QCOMPARE(control<QRadioButton>("OptionType0")->isChecked(), fileChosen);
    QCOMPARE(control<QRadioButton>("OptionType1")->isChecked(), !fileChosen);
    for (const char *name : { "DriveMain", "DirMain", "FileMain", "TextPattern" })
        QCOMPARE(control<QWidget>(name)->isEnabled(), fileChosen);
    QVERIFY(control<QLineEdit>("TextPathBox")->isEnabled());
    QCOMPARE(pathBoxText(), m_tree->resolve(expectedText));
}

void TestFormPathBox::pathLet_data()
{
    QTest::addColumn<QString>("startFolder");
    QTest::addColumn<qint16>("kind");
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("expectedFolder");
    QTest::addColumn<QString>("expectedText");

    // clang-format off
    QTest::newRow("file in another folder")
        << "beta" << qint16(0) << "@/alpha/a.txt" << "@/alpha" << "@/alpha";
    QTest::newRow("file in the shown folder")
        << "alpha" << qint16(0) << "@/alpha/a.txt" << "@/alpha" << "@/alpha/a.txt";
    QTest::newRow("empty path")
        << "alpha" << qint16(0) << "" << "@/alpha" << "";
    QTest::newRow("others kind only fills the box")
        << "alpha" << qint16(1) << "@/beta/x.txt" << "@/alpha" << "@/beta/x.txt";
    QTest::newRow("folder that is gone")
        << "beta" << qint16(0) << "@/alpha/gone/deeper/f.txt" << "@/alpha"
        << "@/alpha/gone/deeper/f.txt";
    QTest::newRow("relative path")
        << "alpha" << qint16(0) << "notes.txt" << "@/alpha" << "notes.txt";
    // clang-format on
}

void TestFormPathBox::pathLet()
{
    QFETCH(QString, startFolder);
    QFETCH(qint16, kind);
    QFETCH(QString, path);
    QFETCH(QString, expectedFolder);
    QFETCH(QString, expectedText);

    openAt(startFolder);
    QVERIFY(m_form->setPathType(kind).isOk());
    m_form->setPath(m_tree->resolve(path));

    QCOMPARE(control<FolderList>("DirMain")->Path(), m_tree->resolve(expectedFolder));
    QCOMPARE(control<FileList>("FileMain")->Path(), m_tree->resolve(expectedFolder));
    QCOMPARE(control<FileList>("FileMain")->FileName(), QString());
    QCOMPARE(pathBoxText(), m_tree->resolve(expectedText));
}

void TestFormPathBox::folderListMovesOnDoubleClickAndEnter()
{
    openAt(QStringLiteral("alpha"), true);
    auto *folders = control<FolderList>("DirMain");
    const QStringList entries = folders->entryPaths();
    QCOMPARE(entries.first(), QDir::toNativeSeparators(QDir::rootPath()));
    QCOMPARE(entries.mid(entries.size() - 3),
             QStringList({ m_tree->path(QStringLiteral("alpha")),
                           m_tree->path(QStringLiteral("alpha/sub1")),
                           m_tree->path(QStringLiteral("alpha/sub2")) }));
    QVERIFY(m_tree->path().startsWith(control<DriveList>("DriveMain")->Drive()));

    const auto itemFor = [folders](const QString &name) {
        return folders->findItems(name, Qt::MatchExactly | Qt::MatchRecursive).value(0);
    };
    doubleClick(folders, folders->visualItemRect(itemFor(QStringLiteral("sub1"))));
    QCOMPARE(folders->Path(), m_tree->path(QStringLiteral("alpha/sub1")));
    QCOMPARE(pathBoxText(), m_tree->path(QStringLiteral("alpha/sub1")));
    QVERIFY(control<FileList>("FileMain")->fileNames().isEmpty());

    // Enter moves up to the tree's own folder instead of accepting the dialog.
    QSignalSpy okSpy(m_form.get(), &FormPathBox::OK);
    folders->setCurrentItem(itemFor(QFileInfo(m_tree->path()).fileName()));
    QTest::keyClick(folders, Qt::Key_Return);
    QCOMPARE(folders->Path(), m_tree->path());
    QCOMPARE(okSpy.size(), 0);
}

void TestFormPathBox::patternFiltersWhileTyping_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("expected");

    // clang-format off
    QTest::newRow("every file")              << "*.*"         << "a.txt|b.log|c.dat|notes.TXT|README";
    QTest::newRow("one extension, any case") << "*.txt"       << "a.txt|notes.TXT";
    QTest::newRow("two patterns")            << "*.log;*.dat" << "b.log|c.dat";
    // clang-format on
}

void TestFormPathBox::patternFiltersWhileTyping()
{
    QFETCH(QString, typed);
    QFETCH(QString, expected);

    openAt(QStringLiteral("alpha"));
    auto *pattern = control<QLineEdit>("TextPattern");
    QCOMPARE(pattern->text(), QStringLiteral("*.*"));
    pattern->clear();
    QTest::keyClicks(pattern, typed); // no Enter: every keystroke filters
    QCOMPARE(control<FileList>("FileMain")->fileNames().join(u'|'), expected);
}

QTEST_MAIN(TestFormPathBox)
#include "tst_formpathbox.moc"
