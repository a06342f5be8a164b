#include "bodyunpacker.h"

#include <QTest>

#include <zlib.h>

using namespace Qt::StringLiterals;
using zel::BodyUnpacker;

namespace {

// `text` packed with zlib's window bits: 31 gzip, 15 zlib, -15 bare deflate.
QByteArray packed(const QByteArray &text, int windowBits)
{
    z_stream stream {};
    deflateInit2(&stream, 6, Z_DEFLATED, windowBits, 8, Z_DEFAULT_STRATEGY);
    QByteArray out(int(deflateBound(&stream, uLong(text.size()))) + 32, '\0');
    stream.next_in = reinterpret_cast<Bytef *>(const_cast<char *>(text.constData()));
    stream.avail_in = uInt(text.size());
    stream.next_out = reinterpret_cast<Bytef *>(out.data());
    stream.avail_out = uInt(out.size());
    deflate(&stream, Z_FINISH);
    out.truncate(qsizetype(stream.total_out));
    deflateEnd(&stream);
    return out;
}

// What `data`, fed in two reads cut at `cut`, unpacks to; "damaged" or "cut short" when it fails.
QByteArray unpackedInTwo(const QByteArray &encoding, const QByteArray &data, qsizetype cut)
{
    BodyUnpacker unpacker(encoding);
    QByteArray body;
    for (const QByteArray &read : { data.first(cut), data.sliced(cut) }) {
        unpacker.feed(read);
        while (unpacker.hasMore()) {
            if (unpacker.unpack(body, 1 << 20) != BodyUnpacker::Result::Ok)
                return "damaged";
        }
    }
    return unpacker.isComplete() ? body : "cut short";
}

} // namespace

class TestBodyUnpacker final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // Every way of cutting the data into two reads gives the same text.
    void unpacksWhateverTheReads_data()
    {
        QTest::addColumn<QByteArray>("encoding");
        QTest::addColumn<QByteArray>("data");
        QTest::addColumn<QByteArray>("expected");
        const QByteArray a = "Tom & Jerry, "_ba.repeated(20);
        const QByteArray b = "ニュース速報"_ba;
        QTest::newRow("two gzip members") << "gzip"_ba << packed(a, 31) + packed(b, 31) << a + b;
        QTest::newRow("stray bytes after gzip") << "gzip"_ba << packed(a, 31) + "\0\0\n"_ba << a;
        QTest::newRow("x-gzip") << "x-gzip"_ba << packed(b, 31) << b;
        QTest::newRow("zlib deflate") << "deflate"_ba << packed(a, 15) << a;
        QTest::newRow("bare deflate") << "deflate"_ba << packed(a, -15) << a;
        QTest::newRow("second member cut short")
            << "gzip"_ba << packed(a, 31) + packed(b, 31).chopped(3) << "cut short"_ba;
        QTest::newRow("not gzip") << "gzip"_ba << a << "damaged"_ba;
    }

    void unpacksWhateverTheReads()
    {
        QFETCH(QByteArray, encoding);
        QFETCH(QByteArray, data);
        QFETCH(QByteArray, expected);
        QVERIFY(BodyUnpacker::unpacks(encoding));
        for (qsizetype cut = 0; cut <= data.size(); ++cut)
            QCOMPARE(unpackedInTwo(encoding, data, cut), expected);
    }
};

QTEST_GUILESS_MAIN(TestBodyUnpacker)
#include "tst_bodyunpacker.moc"
