#include "filelist.h"
#include "foldertree.h"
#include "formpathbox.h"
#include "pathbox.h"
#include "pathrules.h"

#include <QApplication>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QWindow>

#include <functional>

using namespace zel;

namespace {

template<typename T> T *control(FormPathBox *form, const char *name)
{
    return form->findChild<T *>(QString::fromLatin1(name));
}

// Runs `action` on the modal dialog once it is open, then makes sure it closes.
void whenDialogOpens(std::function<void(FormPathBox *)> action)
{
    QTimer::singleShot(0, [action = std::move(action)] {
        auto *form = qobject_cast<FormPathBox *>(QApplication::activeModalWidget());
        if (!form)
            QFAIL("the Path Box is not open");
        action(form); // a failed check returns from here only
        if (form->isVisible())
            form->hide();
    });
}

void clickButton(FormPathBox *form, const char *name)
{
    QTest::mouseClick(control<QPushButton>(form, name), Qt::LeftButton);
}

} // namespace

enum class Ending { OkButton, EnterKey, CancelButton, EscapeKey, DoubleClickFile, NoEvent };

class TestPathBox final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void results_data();
    void results();
    void pathTypeRange_data();
    void pathTypeRange();
    void menuEnablesPopUpAndOwnerHoldsDialog();
};

void TestPathBox::results_data()
{
    QTest::addColumn<qint32>("startKind");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("ending");
    QTest::addColumn<qint32>("expectedKind");
    QTest::addColumn<QString>("expectedPath");

    const auto row = [](const char *name, qint32 kind, const char *typed, Ending ending,
                        qint32 expectedKind, const char *expectedPath) {
        QTest::newRow(name) << kind << QString::fromUtf8(typed) << int(ending) << expectedKind
                            << QString::fromUtf8(expectedPath);
    };
    row("OK with others returns the typed text", 1, "http://example.org/a?b=1", Ending::OkButton, 1,
        "http://example.org/a?b=1");
    row("Enter presses OK", 1, "feed", Ending::EnterKey, 1, "feed");
    row("OK in file kind without a file", 0, "", Ending::OkButton, 0, "@/alpha/");
    row("OK with a hand-typed file", 0, "@/no/such.txt", Ending::OkButton, 0, "@/no/such.txt");
    row("double-click on a file", 0, "", Ending::DoubleClickFile, 0, "@/alpha/a.txt");
    row("Cancel", 0, "typed", Ending::CancelButton, -1, "");
    row("Escape acts as Cancel", 1, "typed", Ending::EscapeKey, -1, "");
    row("closed without an event", 1, "typed", Ending::NoEvent, 0, "");
}

void TestPathBox::results()
{
    QFETCH(qint32, startKind);
    QFETCH(QString, typed);
    QFETCH(int, ending);
    QFETCH(qint32, expectedKind);
    QFETCH(QString, expectedPath);

    FolderTree tree;
    QVERIFY(tree.isValid());
    PathBox box;
    QVERIFY(box.setPathType(0).isOk());
    QVERIFY(box.setPath(tree.path(QStringLiteral("alpha")) + nativeSeparator()).isOk());
    QVERIFY(box.setPathType(startKind).isOk());

    whenDialogOpens([&](FormPathBox *form) {
        auto *pathBox = control<QLineEdit>(form, "TextPathBox");
        if (!typed.isEmpty()) {
            pathBox->clear();
            QTest::keyClicks(pathBox, tree.resolve(typed));
        }
        switch (Ending(ending)) {
        case Ending::OkButton:
            return clickButton(form, "btnOK");
        case Ending::EnterKey:
            return QTest::keyClick(pathBox, Qt::Key_Return);
        case Ending::CancelButton:
            return clickButton(form, "btnCancel");
        case Ending::EscapeKey:
            return QTest::keyClick(pathBox, Qt::Key_Escape);
        case Ending::DoubleClickFile: {
            auto *files = control<FileList>(form, "FileMain");
            const QListWidgetItem *item =
                files->findItems(QStringLiteral("a.txt"), Qt::MatchExactly).value(0);
            QVERIFY(item);
            const QPoint where = files->visualItemRect(item).center();
            QTest::mouseClick(files->viewport(), Qt::LeftButton, {}, where);
            return QTest::mouseDClick(files->viewport(), Qt::LeftButton, {}, where);
        }
        case Ending::NoEvent:
            return form->hide();
        }
    });

    qint32 kind = 99;
    QVERIFY(box.Show(nullptr, kind).isOk());
    QCOMPARE(kind, expectedKind);
    QCOMPARE(box.Path(), tree.resolve(expectedPath));
}

void TestPathBox::pathTypeRange_data()
{
    QTest::addColumn<qint32>("type");
    QTest::addColumn<bool>("accepted");
    QTest::addColumn<bool>("overflow");

    QTest::newRow("-1 is the file kind") << -1 << true << false;
    QTest::newRow("2 names no kind") << 2 << false << false;
    QTest::newRow("-32768 is the file kind") << -32768 << true << false;
    QTest::newRow("40000 overflows") << 40000 << false << true;
}

void TestPathBox::pathTypeRange()
{
    QFETCH(qint32, type);
    QFETCH(bool, accepted);
    QFETCH(bool, overflow);

    PathBox box;
    QVERIFY(box.setPath(QStringLiteral("typed")).isOk());
    QCOMPARE(box.Path(), QString()); // nothing accepted yet
    const Status status = box.setPathType(type);
    QCOMPARE(status.isOk(), accepted);
    QCOMPARE(status.message().contains(QStringLiteral("Overflow")), overflow);

    // A refused kind leaves the dialog in the file kind.
    whenDialogOpens([](FormPathBox *form) { clickButton(form, "btnOK"); });
    qint32 kind = 99;
    QVERIFY(box.Show(nullptr, kind).isOk());
    QCOMPARE(kind, type == 1 ? 1 : 0);
}

void TestPathBox::menuEnablesPopUpAndOwnerHoldsDialog()
{
    PathBox box;
    FormPathBox *form = nullptr;
    box.ReferenceForm(form);
    QVERIFY(form);
    QVERIFY(box.setPathType(0).isOk());
    QVERIFY(!control<QPushButton>(form, "btnPopUp")->isEnabled());
    QMenu menu;
    box.setMenuName(&menu);
    QVERIFY(control<QPushButton>(form, "btnPopUp")->isEnabled());

    QWidget owner;
    owner.show();
    QVERIFY(QTest::qWaitForWindowExposed(&owner));
    Status secondShow;
    whenDialogOpens([&](FormPathBox *open) {
        QCOMPARE(open->windowHandle()->transientParent(), owner.windowHandle());
        QTRY_COMPARE(QApplication::focusWidget(), control<QWidget>(open, "TextPathBox"));
        qint32 ignored = 0;
        secondShow = box.Show(nullptr, ignored);
        clickButton(open, "btnCancel");
    });
    qint32 kind = 99;
    QVERIFY(box.Show(&owner, kind).isOk());
    QCOMPARE(kind, -1);
    QVERIFY(secondShow.isFailure());
}

QTEST_MAIN(TestPathBox)
#include "tst_pathbox.moc"
