#include "strhelper.h"

#include <QRandomGenerator>
#include <QTest>

using namespace zel;
using namespace Qt::StringLiterals;

class TestStrHelper final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void replaceDoesNotRescanItsResult()
    {
        QString text = u"a\r\na😀"_s;
        QVERIFY(StrHelper().Replace(text, u"a"_s, u"aa"_s, 0, 0, 0).isOk());
        QVERIFY(StrHelper().Replace(text, u"\r\n"_s, u" "_s, 0, 0, 0).isOk());
        QCOMPARE(text, u"aa aa😀"_s);
    }

    // Shorter or equal replacements rewrite the text's own buffer; a copy of
    // the text that shares it must keep the old text. In Debug builds "same
    // length" also asserts that no stretch is copied onto itself.
    void replaceShorterMatchesQtAndLeavesCopiesAlone_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("find");
        QTest::addColumn<QString>("replacement");
        QTest::newRow("ends and neighbours") << u"\r\na\r\n\r\nb\r\n"_s << u"\r\n"_s << u" "_s;
        QTest::newRow("same length") << u"xaxxa"_s << u"x"_s << u"y"_s;
        QTest::newRow("to nothing") << u"abcabc"_s << u"b"_s << QString();
        QTest::newRow("no match") << u"abc"_s << u"z"_s << QString();
    }

    void replaceShorterMatchesQtAndLeavesCopiesAlone()
    {
        QFETCH(QString, text);
        QFETCH(QString, find);
        QFETCH(QString, replacement);
        const QString shared = text;
        const QString original(text.constData(), text.size());
        QVERIFY(StrHelper().Replace(text, find, replacement, 0, 0, 0).isOk());
        QCOMPARE(text, QString(original).replace(find, replacement));
        QCOMPARE(shared, original);
    }

    void cutHead_data()
    {
        QTest::addColumn<QString>("source");
        QTest::addColumn<int>("maxLength");
        QTest::addColumn<QString>("head");
        QTest::newRow("shorter than the limit") << u"abc"_s << 512 << u"abc"_s;
        QTest::newRow("longer than the limit") << u"abcdef"_s << 4 << u"abcd"_s;
        QTest::newRow("empty source") << QString() << 512 << QString();
        QTest::newRow("pair straddles the limit") << u"ab😀c"_s << 3 << u"ab"_s;
        QTest::newRow("pair ends at the limit") << u"ab😀c"_s << 4 << u"ab😀"_s;
        QTest::newRow("limit 1 still takes something") << u"😀"_s << 1 << u"😀"_s.left(1);
    }

    void cutHead()
    {
        QFETCH(QString, source);
        QFETCH(int, maxLength);
        QFETCH(QString, head);
        const QString whole = source;
        QString destination = u"left over"_s;
        QVERIFY(StrHelper().CutHead(source, destination, maxLength).isOk());
        QCOMPARE(destination, head);
        QCOMPARE(source, whole.mid(head.size()));
    }

    // Random text full of surrogate pairs, cut into pieces of at most 512:
    // no piece ends inside a pair, and together they are the text again.
    void piecesJoinBackIntoTheText()
    {
        QRandomGenerator random(20);
        QString text;
        for (int i = 0; i < 5000; ++i)
            text += random.bounded(4) == 0 ? u"😀"_s : QString(QChar(u'a' + random.bounded(26)));
        QString source = text;
        QString joined;
        while (!source.isEmpty()) {
            QString piece;
            QVERIFY(StrHelper().CutHead(source, piece, 512).isOk());
            QVERIFY(!piece.isEmpty() && piece.size() <= 512 && !piece.back().isHighSurrogate());
            joined += piece;
        }
        QCOMPARE(joined, text);
    }
};

QTEST_GUILESS_MAIN(TestStrHelper)
#include "tst_strhelper.moc"
