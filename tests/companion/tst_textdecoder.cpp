#include "bytesniffer.h"
#include "textdecoder.h"

#include <QStringEncoder>
#include <QTest>

using namespace zel;
using namespace Qt::StringLiterals;

namespace {

const QString kJapanese = u"吾輩は猫である。名前はまだ無い。どこで生れたかとんと見当がつかぬ。"_s;

QByteArray encoded(const char *charset, const QString &text)
{
    return QStringEncoder(charset).encode(text);
}

} // namespace

class TestTextDecoder final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void badBytesDoNotLoseTheRest_data()
    {
        QTest::addColumn<QByteArray>("encoding");
        QTest::addColumn<QString>("head");
        QTest::addColumn<QByteArray>("bad");
        QTest::addColumn<QString>("tail");
        QTest::newRow("UTF-8, a cut-off character")
            << "UTF-8"_ba << kJapanese << "\xE6\x97"_ba << kJapanese;
        QTest::newRow("UTF-8, a stray byte before a few Japanese words")
            << "UTF-8"_ba << u"Note"_s << "\x81"_ba << u": meet in 会議室 B at 東京."_s;
        QTest::newRow("Shift_JIS, a lone lead byte")
            << "windows-31j"_ba << kJapanese << "\x82 "_ba << kJapanese;
        QTest::newRow("EUC-JP, a lone lead byte")
            << "EUC-JP"_ba << kJapanese << "\xA4 "_ba << kJapanese;
    }

    void badBytesDoNotLoseTheRest()
    {
        QFETCH(QByteArray, encoding);
        QFETCH(QString, head);
        QFETCH(QByteArray, bad);
        QFETCH(QString, tail);
        const TextDecoder::Result result = TextDecoder::decode(
            encoded(encoding.constData(), head) + bad + encoded(encoding.constData(), tail));
        QCOMPARE(result.encoding, encoding);
        QVERIFY2(result.text.startsWith(head + QChar::ReplacementCharacter) &&
                     result.text.endsWith(tail),
                 qPrintable(result.text));
    }

    void decodesAsNamed_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QByteArray>("charset");
        QTest::addColumn<bool>("isText");
        QTest::addColumn<QString>("text");
        QTest::newRow("Shift_JIS reads the Windows extensions")
            << encoded("windows-31j", u"①㈱髙"_s) << "Shift_JIS"_ba << true << u"①㈱髙"_s;
        QTest::newRow("quoted, padded name")
            << kJapanese.toUtf8() << " 'utf-8'"_ba << true << kJapanese;
        QTest::newRow("ISO-8859-1 reads Windows quotes")
            << "\x93quoted\x94"_ba
            << "ISO-8859-1"_ba << true << u"“quoted”"_s;
        QTest::newRow("byte-order mark wins over the name")
            << "\xEF\xBB\xBF"_ba + kJapanese.toUtf8() << "Shift_JIS"_ba << true << kJapanese;
        QTest::newRow("UTF-16LE without a mark")
            << encoded("UTF-16LE", kJapanese) << "utf-16le"_ba << true << kJapanese;
        QTest::newRow("UTF-32: beyond U+10FFFF, a surrogate, a cut-off unit")
            << "A\0\0\0\x1A\xFF\0\x9F\0\xD8\0\0B\0"_ba
            << "UTF-32LE"_ba << true << u"A\uFFFD\uFFFD\uFFFD"_s;
        QTest::newRow("UTF-16: a lone surrogate") << "A\0\0\xD8"
                                                     "B\0"_ba
                                                  << "UTF-16LE"_ba << true << u"A\uFFFDB"_s;
        QTest::newRow("GB18030: its own byte-order mark goes") << "\x84\x31\x95\x33"
                                                                  "A"_ba
                                                               << "GB18030"_ba << true << u"A"_s;
        QTest::newRow("binary data") << "GIF89a\1\0\1\0"_ba
                                     << "utf-8"_ba << false << QString();
    }

    void decodesAsNamed()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QByteArray, charset);
        QFETCH(bool, isText);
        QFETCH(QString, text);
        const TextDecoder::Result result = TextDecoder::decode(bytes, { charset });
        QCOMPARE(result.isText, isText);
        QCOMPARE(result.text, text);
    }

    // The mark goes; a U+FEFF right after it is text and stays.
    void byteOrderMarks_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("text");
        for (const char *form : { "UTF-8", "UTF-16LE", "UTF-16BE", "UTF-32LE", "UTF-32BE" }) {
            for (const QString &text : { u"A"_s, u"\uFEFFA"_s }) {
                QTest::addRow("%s%s", form, text.size() > 1 ? ", U+FEFF after the mark" : "")
                    << encoded(form, u"\uFEFF"_s + text) << text;
            }
        }
    }

    void byteOrderMarks()
    {
        QFETCH(QByteArray, bytes);
        QTEST(TextDecoder::decode(bytes).text, "text");
    }

    // Data in pieces, cut after bytes that end a character, read as the whole does.
    void piecesReadAsTheWhole_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<qsizetype>("pieceSize");
        QTest::newRow("UTF-8, U+FEFF starting a piece")
            << (kJapanese + u"\n\uFEFF"_s + kJapanese).toUtf8().repeated(50) << qsizetype(100);
        QTest::newRow("Shift_JIS")
            << encoded("windows-31j", kJapanese + u"\n"_s).repeated(50) << qsizetype(100);
        QTest::newRow("UTF-16, joined first")
            << encoded("UTF-16BE", u"\uFEFF"_s + QString(kJapanese + u"\n"_s).repeated(50))
            << qsizetype(100);
        // Cut within a character, after its first byte.
        QTest::newRow("UTF-16, two pieces")
            << encoded("UTF-16BE", u"\uFEFF"_s + kJapanese) << qsizetype(33);
        QTest::newRow("ISO-2022-JP, large")
            << encoded("ISO-2022-JP", QString(kJapanese + u" news 1.\n"_s).repeated(200'000))
            << qsizetype(4 << 20);
        // Beyond the head the detector looks at, one byte that is not UTF-8.
        QTest::newRow("Latin-1 at the end")
            << "plain words, "_ba.repeated(100'000) + "caf\xE9" << qsizetype(100);
    }

    void piecesReadAsTheWhole()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(qsizetype, pieceSize);
        QByteArrayList pieces { {} };
        for (const char byte : bytes) {
            pieces.last() += byte;
            if (zel::ByteSniffer::endsCharacter(byte) && pieces.last().size() >= pieceSize)
                pieces.append(QByteArray());
        }
        QVERIFY(pieces.size() >= 2);
        const TextDecoder::Result whole = TextDecoder::decode(bytes);
        const TextDecoder::Result inPieces = TextDecoder::decode(pieces);
        QCOMPARE(inPieces.encoding, whole.encoding);
        QCOMPARE(inPieces.text, whole.text);
    }

    // Names nobody knows are passed over: the next known one is used, and
    // without one the encoding is guessed.
    void unknownCharsetsArePassedOver()
    {
        const QByteArray eucJp = encoded("EUC-JP", kJapanese);
        QCOMPARE(TextDecoder::decode(eucJp, { "x-no-such"_ba, "\"\""_ba, "EUC-JP"_ba }).encoding,
                 "EUC-JP"_ba);
        const QByteArray latin1 = "caf\xE9"_ba;
        QCOMPARE(TextDecoder::decode(latin1, { "x-no-such"_ba, "\"\""_ba }).encoding,
                 TextDecoder::decode(latin1).encoding);
    }
};

QTEST_GUILESS_MAIN(TestTextDecoder)
#include "tst_textdecoder.moc"
