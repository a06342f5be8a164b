#include "webaddress.h"

#include <QTest>

using namespace Qt::StringLiterals;
using zel::WebAddress;

// The page transfer tests cover addresses that fail; these are IPv6 zones,
// which only parsing can show without a network interface to reach.
class TestWebAddress final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void zones_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("host"); // empty: refused
        QTest::newRow("zone, encoded") << u"http://[fe80::1%25eth0]/"_s << u"fe80::1%eth0"_s;
        QTest::newRow("zone, as typed") << u"http://[fe80::1%wlan-0.x]/"_s << u"fe80::1%wlan-0.x"_s;
        QTest::newRow("zone holding ']'") << u"http://[fe80::1%25eth0]]/"_s << QString();
    }

    void zones()
    {
        QFETCH(QString, typed);
        QFETCH(QString, host);
        QUrl url;
        const zel::Status status = WebAddress::parse(typed, url);
        QCOMPARE(status.isOk(), !host.isEmpty());
        QCOMPARE(url.host(), host);
    }
};

QTEST_GUILESS_MAIN(TestWebAddress)
#include "tst_webaddress.moc"
