#include "charsetsniffer.h"

#include <QTest>

using zel::CharsetSniffer;

// The page transfer tests cover the common declarations; these are the odd ones.
class TestCharsetSniffer final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void fromDocument_data()
    {
        QTest::addColumn<QByteArray>("document");
        QTest::addColumn<QByteArray>("charset");
        QTest::newRow("XML declaration")
            << QByteArray("<?xml version='1.0' encoding='EUC-JP'?>") << QByteArray("EUC-JP");
        QTest::newRow("UTF-16 claimed in ASCII bytes")
            << QByteArray("<meta charset=utf-16le>") << QByteArray("UTF-8");
        QTest::newRow("UTF-32 claimed in ASCII bytes")
            << QByteArray("<?xml version='1.0' encoding='UTF-32'?>") << QByteArray("UTF-8");
        QTest::newRow("upper-case http-equiv")
            << QByteArray("<META HTTP-EQUIV=\"Content-Type\" "
                          "CONTENT=\"text/html; CHARSET=EUC-JP\">")
            << QByteArray("EUC-JP");
        QTest::newRow("mixed-case meta")
            << QByteArray("<Meta Charset=EUC-JP>") << QByteArray("EUC-JP");
        QTest::newRow("inside a comment")
            << QByteArray("<!-- <meta charset=euc-jp> --><p>") << QByteArray();
        QTest::newRow("not in a meta tag")
            << QByteArray("<p>charset=euc-jp</p><metadata charset=x>") << QByteArray();
        QTest::newRow("beyond the prescan") << QByteArray(CharsetSniffer::kPrescanBytes, ' ') +
                "<meta charset=euc-jp>" << QByteArray();
        QTest::newRow("unterminated tag") << QByteArray("<meta charset=euc-jp") << QByteArray();
    }

    void fromDocument()
    {
        QFETCH(QByteArray, document);
        QTEST(CharsetSniffer::fromDocument(document), "charset");
    }
};

QTEST_GUILESS_MAIN(TestCharsetSniffer)
#include "tst_charsetsniffer.moc"
