#include "platformchoice.h"

#include <QTest>

using zel::SessionVariables;

class TestPlatformChoice : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void platformForSession_data();
    void platformForSession();
    void preferX11InWaylandSessions_setsOnlyWhatIsAsked();
};

void TestPlatformChoice::platformForSession_data()
{
    QTest::addColumn<QByteArray>("waylandDisplay");
    QTest::addColumn<QByteArray>("sessionType");
    QTest::addColumn<QByteArray>("display");
    QTest::addColumn<QByteArray>("userPlatform");
    QTest::addColumn<QByteArray>("expected");

    const QByteArray viaX11 = "xcb;wayland";
    QTest::newRow("wayland socket and X11")
        << QByteArray("wayland-0") << QByteArray() << QByteArray(":0") << QByteArray() << viaX11;
    QTest::newRow("wayland session type and X11")
        << QByteArray() << QByteArray("wayland") << QByteArray(":0") << QByteArray() << viaX11;
    QTest::newRow("both wayland signs and X11") << QByteArray("wayland-1") << QByteArray("wayland")
                                                << QByteArray(":1") << QByteArray() << viaX11;
    QTest::newRow("empty user platform is no choice")
        << QByteArray("wayland-0") << QByteArray() << QByteArray(":0") << QByteArray("") << viaX11;

    QTest::newRow("user asks for wayland")
        << QByteArray("wayland-0") << QByteArray("wayland") << QByteArray(":0")
        << QByteArray("wayland") << QByteArray();
    QTest::newRow("user asks for xcb") << QByteArray("wayland-0") << QByteArray()
                                       << QByteArray(":0") << QByteArray("xcb") << QByteArray();
    QTest::newRow("wayland without X11") << QByteArray("wayland-0") << QByteArray("wayland")
                                         << QByteArray() << QByteArray() << QByteArray();
    QTest::newRow("x11 session") << QByteArray() << QByteArray("x11") << QByteArray(":0")
                                 << QByteArray() << QByteArray();
    QTest::newRow("X11 alone") << QByteArray() << QByteArray() << QByteArray(":0") << QByteArray()
                               << QByteArray();
    QTest::newRow("tty session with X11")
        << QByteArray() << QByteArray("tty") << QByteArray(":0") << QByteArray() << QByteArray();
    QTest::newRow("nothing") << QByteArray() << QByteArray() << QByteArray() << QByteArray()
                             << QByteArray();
}

void TestPlatformChoice::platformForSession()
{
    QFETCH(QByteArray, waylandDisplay);
    QFETCH(QByteArray, sessionType);
    QFETCH(QByteArray, display);
    QFETCH(QByteArray, userPlatform);
    QFETCH(QByteArray, expected);
    QCOMPARE(zel::platformForSession({ waylandDisplay, sessionType, display, userPlatform }),
             expected);
}

// The wrapper reads the real environment and writes only QT_QPA_PLATFORM.
void TestPlatformChoice::preferX11InWaylandSessions_setsOnlyWhatIsAsked()
{
    const QByteArray saved = qgetenv("QT_QPA_PLATFORM");
    qputenv("WAYLAND_DISPLAY", "wayland-0");
    qputenv("DISPLAY", ":0");
    qunsetenv("QT_QPA_PLATFORM");
    zel::preferX11InWaylandSessions();
    QCOMPARE(qgetenv("QT_QPA_PLATFORM"), QByteArray("xcb;wayland"));

    qputenv("QT_QPA_PLATFORM", "wayland");
    zel::preferX11InWaylandSessions();
    QCOMPARE(qgetenv("QT_QPA_PLATFORM"), QByteArray("wayland"));

    qunsetenv("WAYLAND_DISPLAY");
    qunsetenv("XDG_SESSION_TYPE");
    qunsetenv("QT_QPA_PLATFORM");
    zel::preferX11InWaylandSessions();
    QVERIFY(!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"));
    qputenv("QT_QPA_PLATFORM", saved);
}

QTEST_GUILESS_MAIN(TestPlatformChoice)
#include "tst_platformchoice.moc"
