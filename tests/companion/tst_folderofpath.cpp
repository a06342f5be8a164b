#include "folderofpath.h"

#include <QTest>

using namespace zel;
using namespace Qt::StringLiterals;

class TestFolderOfPath final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void folderOfPath_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("sep");
        QTest::addColumn<QString>("expected");
        QTest::newRow("file in folder") << u"C:\\dir\\file.txt"_s << u"\\"_s << u"C:\\dir\\"_s;
        QTest::newRow("file in root") << u"C:\\file.txt"_s << u"\\"_s << u"C:\\"_s;
        QTest::newRow("ends with separator") << u"C:\\dir\\"_s << u"\\"_s << u"C:\\dir\\"_s;
        QTest::newRow("no separator") << u"file.txt"_s << u"\\"_s << u"file.txt"_s;
        QTest::newRow("only the first") << u"\\file"_s << u"\\"_s << u"\\"_s;
        QTest::newRow("empty") << QString() << u"\\"_s << QString();
        QTest::newRow("search ignores case") << u"aXbxc"_s << u"x"_s << u"aXbx"_s;
    }

    void folderOfPath()
    {
        QFETCH(QString, path);
        QFETCH(QString, sep);
        QFETCH(QString, expected);
        QCOMPARE(FolderOfPath(path, sep), expected);
    }
};

QTEST_GUILESS_MAIN(TestFolderOfPath)
#include "tst_folderofpath.moc"
