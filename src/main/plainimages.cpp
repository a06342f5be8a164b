#include "plainimages.h"

#include <QByteArray>
#include <QtGlobal>

namespace zel {

// For a strip one line high, the round trip that waits for the server to
// finish with a shared-memory image costs more than the copy it saves.
void preferPlainImagesOnX11()
{
    if (!qEnvironmentVariableIsSet("QT_XCB_NO_MITSHM"))
        qputenv("QT_XCB_NO_MITSHM", QByteArrayLiteral("1"));
}

} // namespace zel
