// A Qt input plugin for the end-to-end tests on compositors that take no
// input from outside (weston's headless output): loaded into the real zel
// with QT_QPA_GENERIC_PLUGINS=zelprobe, it reports on standard error each
// window as it appears, with the size it asked the compositor for, and
// presses the strip's handle and the panel's label-buttons as a pointer
// would when standard input says "panel", "settings", "about", "getdata",
// "open PATH" (typed into the Path Box, then OK) or "quit".

#include <QApplication>
#include <QGenericPlugin>
#include <QLineEdit>
#include <QSocketNotifier>
#include <QTest>
#include <QTimer>
#include <QWidget>
#include <QWindow>

#include <array>
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
    // A fixed size (the least size is the largest) lets tiling compositors float the window.
    const char *sizing = window.minimumSize() == window.maximumSize() ? "fixed" : "resizable";
    std::fprintf(stderr, "zel-probe: %s %dx%d screen %dx%d %s\n", what, frame.width(),
                 frame.height(), screen.width(), screen.height(), sizing);
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
        connect(&m_timer, &QTimer::timeout, this, &Probe::reportNewWindows);
        m_timer.start();
        m_stdin = new QSocketNotifier(STDIN_FILENO, QSocketNotifier::Read, this);
        connect(m_stdin, &QSocketNotifier::activated, this, &Probe::readCommand);
    }

private:
    struct Watched
    {
        const char *name;
        const char *report;
        bool shown;
    };

    void reportNewWindows()
    {
        for (Watched &window : m_windows) {
            QWidget *widget = shownWindow(QLatin1String(window.name));
            if (widget && !window.shown)
                report(window.report, *widget);
            window.shown = widget != nullptr;
        }
    }

    void readCommand()
    {
        char buffer[4096] = {};
        if (::read(STDIN_FILENO, buffer, sizeof buffer - 1) <= 0) {
            m_stdin->setEnabled(false);
            return;
        }
        // Pressed from the event loop, not from inside this handler: a press may
        // start a loop of its own (the Path Box, the running ticker).
        for (const QByteArray &line : QByteArray(buffer).split('\n')) {
            if (const QByteArray command = line.trimmed(); !command.isEmpty())
                QTimer::singleShot(0, this, [command] { press(command); });
        }
    }

    static void press(const QByteArray &command)
    {
        if (command == "panel") {
            if (QWidget *strip = shownWindow(QStringLiteral("FormMain"))) {
                click(strip, "LabelTitleBer", Qt::LeftButton); // a drag the compositor may refuse
                click(strip, "LabelTitleBer", Qt::RightButton);
            }
        } else if (command.startsWith("open ")) {
            if (QWidget *pathBox = shownWindow(QStringLiteral("FormPathBox"))) {
                pathBox->findChild<QLineEdit *>(QStringLiteral("TextPathBox"))
                    ->setText(QString::fromUtf8(command.mid(5)));
                click(pathBox, "btnOK", Qt::LeftButton);
            }
        } else if (QWidget *panel = shownWindow(QStringLiteral("FormRemoCon"))) {
            if (command == "settings") {
                QTest::mouseClick(panel, Qt::LeftButton, {}, QPoint(170, 50)); // background: a drag
                click(panel, "LabelBtn4", Qt::LeftButton);
            } else if (command == "about") {
                click(panel, "LabelBtn2", Qt::LeftButton);
            } else if (command == "getdata") {
                click(panel, "LabelBtn3", Qt::LeftButton);
            } else if (command == "quit") {
                click(panel, "LabelBtn1", Qt::LeftButton);
            }
        }
    }

    QTimer m_timer;
    QSocketNotifier *m_stdin = nullptr;
    std::array<Watched, 5> m_windows { { { "FormMain", "strip", false },
                                         { "FormRemoCon", "panel", false },
                                         { "FormZelPropertyBox", "settings", false },
                                         { "FormAboutBox", "about", false },
                                         { "FormPathBox", "pathbox", false } } };
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
