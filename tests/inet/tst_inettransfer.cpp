#include "inettransfer.h"
#include "testhttpserver.h"

#include <QElapsedTimer>
#include <QTcpServer>
#include <QTest>
#include <QTimer>

using namespace std::chrono_literals;
using namespace Qt::StringLiterals;
using zel::InetTransfer;
using zel::Status;

namespace {

// "ニュース速報：本日は晴れです。" in Shift_JIS.
const QByteArray kNewsSjis =
    QByteArray::fromHex("836a8385815b835891ac95f18146967b93fa82cd90b082ea82c582b78142");
const QString kNews = u"ニュース速報：本日は晴れです。"_s;
const QString kPage = u"<p>Tom &amp; Jerry &lt;3</p>\r\n<script>x = 1 > 0;</script>"_s;
const QByteArray kPng =
    QByteArray::fromHex("89504e470d0a1a0a0000000d49484452000000010000000108060000001f15c489");

QByteArray unannounced(const QByteArray &body)
{
    return "HTTP/1.1 200 OK\r\nContent-Type: text/plain\r\nConnection: close\r\n\r\n" + body;
}

QByteArray packed(const QByteArray &encoding, const QByteArray &body)
{
    return "HTTP/1.1 200 OK\r\nContent-Type: text/html\r\nContent-Encoding: " + encoding +
        "\r\nContent-Length: " + QByteArray::number(body.size()) + "\r\nConnection: close\r\n\r\n" +
        body;
}

// A port on which nothing listens.
quint16 closedPort()
{
    QTcpServer probe;
    if (!probe.listen(QHostAddress::LocalHost))
        qFatal("cannot listen on 127.0.0.1");
    return probe.serverPort();
}

} // namespace

class TestInetTransfer final : public QObject
{
    Q_OBJECT

private:
    QString address(QString pattern) const
    {
        const QString base = m_server.url({});
        return pattern.replace(u"{server}"_s, base)
            .replace(u"{https}"_s, QString(base).replace(u"http:"_s, u"https:"_s))
            .replace(u"{bare}"_s, base.mid(7))
            .replace(u"{closed}"_s, QString::number(closedPort()));
    }

    TestHttpServer m_server;

private Q_SLOTS:
    void initTestCase()
    {
        m_server.servePage("/page", "text/html; charset=utf-8", kPage.toUtf8());
        m_server.servePage("/sjis-header", "text/plain; charset=Shift_JIS", kNewsSjis);
        m_server.servePage("/sjis-meta", "text/html", "<META Charset='shift_jis'>" + kNewsSjis);
        m_server.servePage("/sjis-http-equiv", "text/html",
                           "<meta http-equiv=\"Content-Type\" content=\"text/html; "
                           "charset=Shift_JIS\">" +
                               kNewsSjis);
        m_server.servePage("/sjis-plain", "", kNewsSjis.repeated(8));
        m_server.servePage("/header-first", "text/html;charset=\"UTF-8\"",
                           "<meta charset=\"Shift_JIS\">" + kNews.toUtf8());
        m_server.servePage("/png", "image/png", kPng);
        m_server.servePage("/png-untyped", "application/octet-stream", kPng);
        m_server.serveRedirect("/moved", "/page");
        m_server.serveRedirect("/loop", "/loop");
        m_server.serveRedirect("/chain/1", "/page");
        for (int hop = 2; hop <= 11; ++hop) {
            m_server.serveRedirect("/chain/" + QByteArray::number(hop),
                                   "/chain/" + QByteArray::number(hop - 1));
        }
        m_server.serve("/huge", "HTTP/1.1 200 OK\r\nContent-Length: 100000000\r\n\r\nabc",
                       TestHttpServer::Mode::Trickle);
        m_server.serve("/cut", "HTTP/1.1 200 OK\r\nContent-Length: 100\r\n\r\nabc");
        m_server.serve("/silent", {}, TestHttpServer::Mode::Silent);
        m_server.serve("/trickle", unannounced("x"), TestHttpServer::Mode::Trickle);
        const QByteArray zlib = qCompress(kPage.toUtf8()).sliced(4); // without Qt's length
        m_server.serve("/deflate", packed("deflate", zlib));
        m_server.serve("/deflate-bare", packed("Deflate", zlib.sliced(2).chopped(4)));
        m_server.serve("/deflate-cut", packed("deflate", zlib.chopped(6)));
        m_server.serve("/identity", packed("identity", kPage.toUtf8()));
        m_server.serve("/gzip-damaged", packed("gzip", kPage.toUtf8()));
        m_server.serve("/gzip-empty", packed("gzip", {}));
        m_server.serve("/brotli", packed("br", kPage.toUtf8()));
        m_server.serve("/limit-unannounced", unannounced(QByteArray(1024, 'a')));
        m_server.serve("/over-unannounced", unannounced(QByteArray(1025, 'a')));
    }

    // No request may be left running once OpenURL has returned.
    void cleanup() { QTRY_COMPARE(m_server.openConnections(), 0); }

    // A body that is not text comes back as isText false with an empty body.
    void fetchesBodies_data()
    {
        QTest::addColumn<QString>("address");
        QTest::addColumn<bool>("isText");
        QTest::addColumn<QString>("expected");
        QTest::newRow("tags and references kept") << u"{server}/page"_s << true << kPage;
        QTest::newRow("Shift_JIS by header") << u"{server}/sjis-header"_s << true << kNews;
        QTest::newRow("Shift_JIS by meta charset")
            << u"{server}/sjis-meta"_s << true << u"<META Charset='shift_jis'>"_s + kNews;
        QTest::newRow("Shift_JIS by http-equiv")
            << u"{server}/sjis-http-equiv"_s << true
            << u"<meta http-equiv=\"Content-Type\" content=\"text/html; charset=Shift_JIS\">"_s +
                kNews;
        QTest::newRow("Shift_JIS detected")
            << u"{server}/sjis-plain"_s << true << kNews.repeated(8);
        QTest::newRow("header wins over meta")
            << u"{server}/header-first"_s << true << u"<meta charset=\"Shift_JIS\">"_s + kNews;
        QTest::newRow("redirect followed") << u"{server}/moved"_s << true << kPage;
        QTest::newRow("ten redirects followed") << u"{server}/chain/10"_s << true << kPage;
        QTest::newRow("no scheme means http") << u"  {bare}/page"_s << true << kPage;
        QTest::newRow("packed, zlib") << u"{server}/deflate"_s << true << kPage;
        QTest::newRow("packed, bare deflate") << u"{server}/deflate-bare"_s << true << kPage;
        QTest::newRow("packed, identity") << u"{server}/identity"_s << true << kPage;
        QTest::newRow("packed, empty") << u"{server}/gzip-empty"_s << true << QString();
        QTest::newRow("body at the limit")
            << u"{server}/limit-unannounced"_s << true << QString(1024, u'a');
        QTest::newRow("picture by its type") << u"{server}/png"_s << false << QString();
        QTest::newRow("picture by its bytes") << u"{server}/png-untyped"_s << false << QString();
    }

    void fetchesBodies()
    {
        QFETCH(QString, address);
        InetTransfer transfer;
        transfer.setMaxBodySize(1024);
        QString body = u"old text"_s;
        bool isText = false;
        const Status status = transfer.OpenURL(this->address(address), body, isText);
        QVERIFY2(status.isOk(), qPrintable(status.message()));
        QTEST(isText, "isText");
        QTEST(body, "expected");
    }

    void reportsFailures_data()
    {
        QTest::addColumn<QString>("address");
        QTest::addColumn<QString>("cause");
        QTest::newRow("404") << u"{server}/missing"_s << u"the server answered 404 Not Found"_s;
        QTest::newRow("redirect loop") << u"{server}/loop"_s << u"more than 10 times"_s;
        QTest::newRow("eleven redirects") << u"{server}/chain/11"_s << u"more than 10 times"_s;
        QTest::newRow("huge announcement stops at the headers")
            << u"{server}/huge"_s << u"the page is larger than 1 KiB"_s;
        QTest::newRow("one byte over the limit")
            << u"{server}/over-unannounced"_s << u"the page is larger than 1 KiB"_s;
        QTest::newRow("packing damaged")
            << u"{server}/gzip-damaged"_s << u"(gzip), and the packed data is damaged"_s;
        QTest::newRow("packing cut short")
            << u"{server}/deflate-cut"_s << u"damaged or cut short"_s;
        QTest::newRow("packing unknown") << u"{server}/brotli"_s << u"cannot be unpacked (br)"_s;
        QTest::newRow("connection cut") << u"{server}/cut"_s << u"closed the connection"_s;
        QTest::newRow("connection refused")
            << u"http://127.0.0.1:{closed}/"_s << u"the server refused the connection"_s;
        QTest::newRow("TLS to a plain server") << u"{https}/page"_s << u"no secure connection"_s;
        QTest::newRow("not a URL") << u"hello world"_s << u"not a web address"_s;
        QTest::newRow("no host") << u"http://"_s << u"not a web address"_s;
        QTest::newRow("empty") << QString() << u"no address was given"_s;
        QTest::newRow("local path") << u"/etc/hosts"_s << u"not a web address"_s;
        QTest::newRow("host that cannot be sent") << u"[::1%e]::1]:"_s << u"not a web address"_s;
        QTest::newRow("zone that others read differently")
            << u"http://[::%A::]1F1]/"_s << u"not a web address"_s;
        QTest::newRow("ftp") << u"ftp://127.0.0.1/file"_s << u"\"ftp:\" are not supported"_s;
        QTest::newRow("javascript") << u"javascript:alert(1)"_s << u"\"javascript:\" are not"_s;
    }

    void reportsFailures()
    {
        QFETCH(QString, address);
        QFETCH(QString, cause);
        InetTransfer transfer;
        transfer.setMaxBodySize(1024);
        transfer.setTimeout(5s);
        QString body = u"old text"_s;
        bool isText = false;
        const QString typed = this->address(address);
        const Status status = transfer.OpenURL(typed, body, isText);
        QVERIFY(status.isFailure());
        QVERIFY2(status.message().startsWith(u"Cannot load \"%1\": "_s.arg(typed)),
                 qPrintable(status.message()));
        QVERIFY2(status.message().contains(cause), qPrintable(status.message()));
        QCOMPARE(body, u"old text"_s);
        QVERIFY(!isText);
    }

    // The deadline covers the whole request, not only silence.
    void stopsAtTheDeadline_data()
    {
        QTest::addColumn<QString>("address");
        QTest::newRow("silent server") << u"{server}/silent"_s;
        QTest::newRow("trickling server") << u"{server}/trickle"_s;
    }

    void stopsAtTheDeadline()
    {
        QFETCH(QString, address);
        InetTransfer transfer;
        transfer.setTimeout(300ms);
        QString body;
        bool isText = false;
        QElapsedTimer clock;
        clock.start();
        const Status status = transfer.OpenURL(this->address(address), body, isText);
        QVERIFY(clock.elapsed() >= 290);
        QVERIFY(clock.elapsed() < 5000);
        QVERIFY(status.isFailure());
        QVERIFY2(status.message().contains(u"did not arrive within 300 ms"_s),
                 qPrintable(status.message()));
    }

    void refusesANestedLoadAndWorksAfterwards()
    {
        InetTransfer transfer;
        transfer.setTimeout(500ms);
        Status nested;
        QTimer::singleShot(50ms, this, [&] {
            QString body;
            bool isText = false;
            nested = transfer.OpenURL(m_server.url(u"/page"_s), body, isText);
        });
        QString body;
        bool isText = false;
        QVERIFY(transfer.OpenURL(m_server.url(u"/silent"_s), body, isText).isFailure());
        QVERIFY(nested.message().contains(u"another page is still being loaded"_s));

        const Status again = transfer.OpenURL(m_server.url(u"/page"_s), body, isText);
        QVERIFY2(again.isOk(), qPrintable(again.message()));
        QCOMPARE(body, kPage);
    }
};

QTEST_GUILESS_MAIN(TestInetTransfer)
#include "tst_inettransfer.moc"
