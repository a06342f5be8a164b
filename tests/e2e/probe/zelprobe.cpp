// A Qt input plugin for the end-to-end tests on compositors that take no
// input from outside (weston's headless output): loaded into the real zel
// with QT_QPA_GENERIC_PLUGINS=zelprobe, it presses the strip's handle and the
// panel's label-buttons as a pointer would, and reports on standard error
// what the windows asked the compositor for. "quit" on standard input
// presses "Quit Zel".

#include <QApplication>
#include <QGenericPlugin>
#include <QSocketNotifier>
#include <QTest>
#include <QTimer>
#include <QWidget>
#include <QWindow>

#include <cstdio>
#include <unistd.h>

namespace {

QWidget *shownWindow(const QString &name)
{
    for (QWidget *widget : QApplication::topLevelWidgets()) {
        if (widget->objectName() == name && widget->isVisible() && widget->windowHandle() &&
            widget->windowHandle()->isExposed())
            return widget;
    }
    return nullptr;
}

void report(const char *what, const QWidget &window)
{
    // The frame: what the compositor is asked to show, title bar and borders included.
    const QSize frame = window.windowHandle()->frameGeometry().size();
    const QSize screen = window.screen()->geometry().size();
    std::fprintf(stderr, "zel-probe: %s %dx%d screen %dx%d\n", what, frame.width(), frame.height(),
                 screen.width(), screen.height());
}

void click(QWidget *window, const char *child, Qt::MouseButton button)
{
    QWidget *target = window->findChild<QWidget *>(QLatin1String(child));
    if (!target) {
        std::fprintf(stderr, "zel-probe: no %s\n", child);
        return;
    }
    QTest::mouseClick(target, button);
}

class Probe final : public QObject
{
public:
    Probe()
    {
        m_timer.setInterval(50);
        connect(&m_timer, &QTimer::timeout, this, &Probe::step);
        m_timer.start();
    }

private:
    void step()
    {
        switch (m_stage) {
        case 0:
            if (QWidget *strip = shownWindow(QStringLiteral("FormMain"))) {
                report("strip", *strip);
                click(strip, "LabelTitleBer", Qt::LeftButton); // a drag the compositor may refuse
                click(strip, "LabelTitleBer", Qt::RightButton);
                ++m_stage;
            }
            break;
        case 1:
            if (QWidget *panel = shownWindow(QStringLiteral("FormRemoCon"))) {
                report("panel", *panel);
                QTest::mouseClick(panel, Qt::LeftButton, {}, QPoint(170, 50)); // background: a drag
                click(panel, "LabelBtn4", Qt::LeftButton); // Setting Speed
                ++m_stage;
            }
            break;
        case 2:
            if (QWidget *settings = shownWindow(QStringLiteral("FormZelPropertyBox"))) {
                report("settings", *settings);
                std::fprintf(stderr, "zel-probe: ready\n");
                m_stdin = new QSocketNotifier(STDIN_FILENO, QSocketNotifier::Read, this);
                connect(m_stdin, &QSocketNotifier::activated, this, &Probe::readCommand);
                m_timer.stop();
            }
            break;
        }
    }

    void readCommand()
    {
        char buffer[64] = {};
        if (::read(STDIN_FILENO, buffer, sizeof buffer - 1) <= 0) {
            m_stdin->setEnabled(false);
            return;
        }
        if (QByteArray(buffer).startsWith("quit")) {
            if (QWidget *panel = shownWindow(QStringLiteral("FormRemoCon")))
                click(panel, "LabelBtn1", Qt::LeftButton); // Quit Zel
        }
    }

    QTimer m_timer;
    QSocketNotifier *m_stdin = nullptr;
    int m_stage = 0;
};

} // namespace

class ProbePlugin final : public QGenericPlugin
{
    Q_OBJECT
    Q_PLUGIN_METADATA(IID QGenericPluginFactoryInterface_iid FILE "zelprobe.json")

public:
    QObject *create(const QString &, const QString &) override { return new Probe; }
};

#include "zelprobe.moc"
