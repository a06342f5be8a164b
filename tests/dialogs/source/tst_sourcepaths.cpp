#include "filepattern.h"
#include "pathrules.h"

#include <QTest>

using namespace zel;

class TestSourcePaths final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void composesWithOneSeparator_data();
    void composesWithOneSeparator();
    void findsVolumeForPath_data();
    void findsVolumeForPath();
    void matchesPattern_data();
    void matchesPattern();
};

void TestSourcePaths::composesWithOneSeparator_data()
{
    QTest::addColumn<QString>("folder");
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("separator");
    QTest::addColumn<QString>("expected");

    // clang-format off
    QTest::newRow("unix root")            << "/"       << "a.txt" << "/"  << "/a.txt";
    QTest::newRow("unix folder")          << "/home/u" << "a.txt" << "/"  << "/home/u/a.txt";
    QTest::newRow("unix folder, no file") << "/home/u" << ""      << "/"  << "/home/u/";
    QTest::newRow("drive root")           << "C:\\"    << "a.txt" << "\\" << "C:\\a.txt";
    QTest::newRow("drive folder")         << "C:\\dir" << "a.txt" << "\\" << "C:\\dir\\a.txt";
    // clang-format on
}

void TestSourcePaths::composesWithOneSeparator()
{
    QFETCH(QString, folder);
    QFETCH(QString, file);
    QFETCH(QString, separator);
    QFETCH(QString, expected);
    QCOMPARE(composePath(folder, file, separator), expected);
}

void TestSourcePaths::findsVolumeForPath_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("roots");
    QTest::addColumn<QString>("separator");
    QTest::addColumn<qsizetype>("expected");

    // clang-format off
    const QString unixRoots = QStringLiteral("/|/home/|/home/u/media/");
    const QString driveRoots = QStringLiteral("A:\\|C:\\");
    QTest::newRow("root volume") << "/etc/hosts" << unixRoots << "/" << qsizetype(0);
    QTest::newRow("longest mount wins") << "/home/u/media/x" << unixRoots << "/" << qsizetype(2);
    QTest::newRow("name sharing a prefix") << "/homework/a" << unixRoots << "/" << qsizetype(0);
    QTest::newRow("lower-case drive") << "c:\\f.txt" << driveRoots << "\\" << qsizetype(1);
    QTest::newRow("missing drive") << "X:\\f.txt" << driveRoots << "\\" << qsizetype(-1);
    // clang-format on
}

void TestSourcePaths::findsVolumeForPath()
{
    QFETCH(QString, path);
    QFETCH(QString, roots);
    QFETCH(QString, separator);
    QFETCH(qsizetype, expected);
    const Qt::CaseSensitivity sensitivity =
        separator == u'/' ? Qt::CaseSensitive : Qt::CaseInsensitive;
    QCOMPARE(volumeIndexFor(path, roots.split(u'|'), separator, sensitivity), expected);
}

void TestSourcePaths::matchesPattern_data()
{
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("expected");

    // clang-format off
    QTest::newRow("no partial match") << "*.txt" << "a.txt.bak" << false;
    QTest::newRow("second of two, blanks around") << " *.txt ; *.log " << "b.log" << true;
    QTest::newRow("none of two") << "*.txt;*.log" << "c.dat" << false;
    QTest::newRow("question mark is one character") << "?.txt" << "ab.txt" << false;
    QTest::newRow("regex characters are literal") << "a+(1).txt" << "a+(1).txt" << true;
    // clang-format on
}

void TestSourcePaths::matchesPattern()
{
    QFETCH(QString, pattern);
    QFETCH(QString, name);
    QFETCH(bool, expected);
    QCOMPARE(FilePattern(pattern).matches(name), expected);
}

QTEST_GUILESS_MAIN(TestSourcePaths)
#include "tst_sourcepaths.moc"
