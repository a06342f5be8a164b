#include "zelmain.h"

#include "formmain.h"
#include "gothicfont.h"
#include "messagebox.h"
#include "plainimages.h"
#include "platformchoice.h"
#include "zelversion.h"

#include <QApplication>

namespace zel {

int Main(int argc, char *argv[])
{
    preferX11InWaylandSessions();
    preferPlainImagesOnX11();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Zel"));
    QApplication::setApplicationDisplayName(QStringLiteral("Zel"));
    QApplication::setApplicationVersion(versionNumber());
    // The name of the desktop entry, so that a desktop matches the windows to it.
    QGuiApplication::setDesktopFileName(appId());
    registerFontSubstitutions();

    FormMain form;
    form.setProgramFolder(QApplication::applicationDirPath());
    if (const Status status = form.Form_Initialize(); !status.isOk()) {
        MessageBox::show(MessageBox::Kind::Warning,
                         QStringLiteral("Zel cannot start: %1").arg(status.message()));
        return 1;
    }
    form.show();
    return QApplication::exec();
}

} // namespace zel
