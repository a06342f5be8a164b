#include "bytesniffer.h"
#include "pagebody.h"

#include <QTest>

using namespace Qt::StringLiterals;
using zel::ByteSniffer;
using zel::PageBody;

class TestPageBody final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void keepsToTheLimit()
    {
        PageBody body(10);
        QVERIFY(body.append("12345"));
        QVERIFY(!body.append("123456"));
        QVERIFY(body.append("67890"));
        QCOMPARE(body.size(), 10);
        QCOMPARE(body.take(), QByteArrayList { "1234567890" });
        QCOMPARE(body.size(), 0);
    }

    // Every piece but the last is about full and ends after a byte that ends a
    // character, however the body came in reads.
    void cutsAfterCharacters_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<qsizetype>("readSize");
        QTest::addColumn<qsizetype>("pieces");
        const QByteArray japanese =
            u"ニュース速報：本日は晴れです。\n"_s.toUtf8().repeated(400'000);
        QTest::newRow("Japanese, 1 MiB reads") << japanese << qsizetype(1 << 20) << qsizetype(5);
        QTest::newRow("Japanese, one read") << japanese << japanese.size() << qsizetype(5);
        QTest::newRow("Latin, 1000-byte reads")
            << "word "_ba.repeated(2'000'000) << qsizetype(1000) << qsizetype(3);
        QTest::newRow("no byte ends a character")
            << QByteArray(9'000'000, 'a') << qsizetype(1 << 20) << qsizetype(1);
    }

    void cutsAfterCharacters()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(qsizetype, readSize);
        PageBody body(bytes.size());
        for (qsizetype at = 0; at < bytes.size(); at += readSize)
            QVERIFY(body.append(
                QByteArrayView(bytes).sliced(at).first(qMin(readSize, bytes.size() - at))));
        const QByteArrayList pieces = body.take();
        QTEST(pieces.size(), "pieces");
        QCOMPARE(pieces.join(), bytes);
        for (qsizetype i = 0; i + 1 < pieces.size(); ++i) {
            QVERIFY(pieces[i].size() > PageBody::kPieceSize - PageBody::kStepSize);
            QVERIFY(ByteSniffer::endsCharacter(pieces[i].back()));
        }
    }
};

QTEST_GUILESS_MAIN(TestPageBody)
#include "tst_pagebody.moc"
