#include "plainimages.h"

#include <QByteArray>
#include <QString>
#include <QtGlobal>

namespace zel {

// For a strip one line high, the round trip that waits for the server to
// finish with a shared-memory image costs more than the copy it saves. Qt
// turns shared memory off whenever the variable is set at all, so a user's
// "0" is read as asking for shared memory.
void preferPlainImagesOnX11()
{
    const char *const name = "QT_XCB_NO_MITSHM";
    if (!qEnvironmentVariableIsSet(name))
        qputenv(name, QByteArrayLiteral("1"));
    else if (qEnvironmentVariable(name) == QLatin1String("0"))
        qunsetenv(name);
}

} // namespace zel
