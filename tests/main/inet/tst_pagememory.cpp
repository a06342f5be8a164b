#include "inettransfer.h"
#include "testhttpserver.h"

#include <QFile>
#include <QRegularExpression>
#include <QSemaphore>
#include <QTest>
#include <QThread>

#include <functional>
#include <memory>
#include <zlib.h>

using namespace Qt::StringLiterals;
using zel::InetTransfer;
using zel::Status;

namespace {

constexpr qint64 kMiB = 1024 * 1024;

// Its allocator keeps freed memory for a while and copies arrays as they grow.
#ifdef __SANITIZE_ADDRESS__
constexpr bool kUnderAddressSanitizer = true;
#else
constexpr bool kUnderAddressSanitizer = false;
#endif

// A field of /proc/self/status in KiB, such as "VmHWM" (the peak) or "VmRSS".
qint64 statusKiB(const QString &field)
{
    QFile status(u"/proc/self/status"_s);
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    const QRegularExpression line(u"^%1:\\s+(\\d+) kB$"_s.arg(field),
                                  QRegularExpression::MultilineOption);
    return line.match(QString::fromLatin1(status.readAll())).captured(1).toLongLong();
}

bool resetPeak()
{
    QFile clearRefs(u"/proc/self/clear_refs"_s);
    return clearRefs.open(QIODevice::WriteOnly) && clearRefs.write("5") == 1;
}

// gzip, a piece at a time.
class Gzip final
{
public:
    Gzip() { deflateInit2(&m_stream, 6, Z_DEFLATED, 15 + 16, 8, Z_DEFAULT_STRATEGY); }
    ~Gzip() { deflateEnd(&m_stream); }
    Q_DISABLE_COPY_MOVE(Gzip)

    QByteArray pack(QByteArray in, int flush)
    {
        m_stream.next_in = reinterpret_cast<Bytef *>(in.data());
        m_stream.avail_in = uInt(in.size());
        QByteArray out;
        char buffer[64 * 1024];
        do {
            m_stream.next_out = reinterpret_cast<Bytef *>(buffer);
            m_stream.avail_out = sizeof buffer;
            deflate(&m_stream, flush);
            out.append(buffer, qsizetype(sizeof buffer - m_stream.avail_out));
        } while (m_stream.avail_out == 0);
        return out;
    }

private:
    z_stream m_stream {};
};

QByteArray packedHead(qint64 packedLength = -1)
{
    QByteArray head = "HTTP/1.1 200 OK\r\nContent-Type: text/plain\r\nContent-Encoding: gzip\r\n"
                      "Connection: close\r\n";
    if (packedLength >= 0)
        head += "Content-Length: " + QByteArray::number(packedLength) + "\r\n";
    return head + "\r\n";
}

// The server runs on a thread of its own, so that it sends as fast as a
// server on another machine would, not only while the reader waits.
class ServerThread final : public QThread
{
public:
    explicit ServerThread(std::function<void(TestHttpServer &)> routes)
        : m_routes(std::move(routes))
    {
        start();
        m_ready.acquire();
    }
    ~ServerThread() override
    {
        quit();
        wait();
    }
    Q_DISABLE_COPY_MOVE(ServerThread)

    QString url(const QString &path) const { return m_base + path; }

private:
    void run() override
    {
        TestHttpServer server;
        m_routes(server);
        m_base = server.url({});
        m_ready.release();
        exec();
    }

    std::function<void(TestHttpServer &)> m_routes;
    QString m_base;
    QSemaphore m_ready;
};

} // namespace

// While a page loads, the peak memory of the process stays within twice the
// body limit of what it held before, however the server misbehaves.
class TestPageMemory final : public QObject
{
    Q_OBJECT

    std::unique_ptr<ServerThread> m_server;
    qint64 m_newsLength = 0;

    void serve(TestHttpServer &server)
    {
        const QByteArray piece =
            "All work and no play makes Jack a dull boy.\n"_ba.repeated(1490).leftJustified(
                64 * 1024, '.');
        const QByteArray plain = "HTTP/1.1 200 OK\r\nContent-Type: text/plain\r\n";
        server.serveStream("/endless", plain + "\r\n", piece);
        const qint64 underLimit = InetTransfer::kMaxBodySize - 1;
        server.serveStream("/under-limit",
                           plain + "Content-Length: " + QByteArray::number(underLimit) +
                               "\r\n\r\n" + piece.first(piece.size() - 1),
                           piece, underLimit / piece.size());

        // 1 GiB of words sent as a few MB: after a full flush the packer
        // starts afresh, so each further MiB packs to the same bytes.
        const QByteArray words = "word "_ba.repeated(kMiB / 5);
        Gzip bomb;
        const QByteArray first = bomb.pack(words, Z_FULL_FLUSH);
        server.serveStream("/bomb", packedHead() + first, bomb.pack(words, Z_FULL_FLUSH), 1023);

        // 20 MB of news in English and Japanese, packed more than 100:1.
        const QString news =
            u"News of the day: ニュース速報：本日は晴れです。 The quick brown fox "
            u"jumps over the lazy dog, and the market closes higher. "_s.repeated(5);
        Gzip page;
        QByteArray packed;
        for (qint64 i = 0, bytes = 0; bytes < 20'000'000; ++i) {
            const QString paragraph = QString::number(i) + u". "_s + news;
            m_newsLength += paragraph.size();
            const QByteArray utf8 = paragraph.toUtf8();
            bytes += utf8.size();
            packed += page.pack(utf8, Z_NO_FLUSH);
        }
        packed += page.pack({}, Z_FINISH);
        server.serve("/packed-news", packedHead(packed.size()) + packed);
    }

private Q_SLOTS:
    void initTestCase()
    {
        m_server =
            std::make_unique<ServerThread>([this](TestHttpServer &server) { serve(server); });
    }

    void peakStaysNearTheLimit_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<qint64>("textLength"); // -1: refused
        QTest::addColumn<QString>("cause");
        QTest::newRow("endless body")
            << u"/endless"_s << qint64(-1) << u"the page is larger than 64 MiB"_s;
        QTest::newRow("announced just under the limit")
            << u"/under-limit"_s << InetTransfer::kMaxBodySize - 1 << QString();
        QTest::newRow("gzip bomb")
            << u"/bomb"_s << qint64(-1) << u"the page unpacks to more than 64 MiB"_s;
        QTest::newRow("20 MB packed over 100:1") << u"/packed-news"_s << m_newsLength << QString();
    }

    void peakStaysNearTheLimit()
    {
        QFETCH(QString, path);
        QFETCH(qint64, textLength);
        QFETCH(QString, cause);
        const bool measured = !kUnderAddressSanitizer && resetPeak();
        const qint64 before = statusKiB(u"VmRSS"_s) * 1024;
        {
            InetTransfer transfer;
            QString text;
            bool isText = false;
            const Status status = transfer.OpenURL(m_server->url(path), text, isText);
            if (textLength < 0) {
                QVERIFY(status.isFailure());
                QVERIFY2(status.message().contains(cause), qPrintable(status.message()));
            } else {
                QVERIFY2(status.isOk(), qPrintable(status.message()));
                QCOMPARE(text.size(), textLength);
                QVERIFY(!text.contains(QChar::ReplacementCharacter));
            }
        }
        if (!measured)
            QSKIP(
                "the peak is measured neither under AddressSanitizer nor where it cannot be reset");
        // The body costs the limit at most, its text two bytes a character,
        // and the body is let go as its text grows; Qt's network thread and
        // the allocator keep a little besides.
        const qint64 peak = statusKiB(u"VmHWM"_s) * 1024;
        const qint64 bound = qMax(InetTransfer::kMaxBodySize, 2 * textLength) + 32 * kMiB;
        qInfo("%lld MiB held before, %lld MiB more at the peak (%.2f times the limit)",
              before / kMiB, (peak - before) / kMiB,
              double(peak - before) / double(InetTransfer::kMaxBodySize));
        QVERIFY(peak - before <= bound);
    }
};

QTEST_GUILESS_MAIN(TestPageMemory)
#include "tst_pagememory.moc"
