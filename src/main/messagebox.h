#pragma once

#include <QString>

#include <functional>

namespace zel {

// The program's modal messages, with a seam so tests can take them instead of
// blocking on a dialog.
class MessageBox final
{
public:
    enum class Kind { Information, Warning };
    using Interceptor = std::function<void(Kind kind, const QString &text)>;

    // Shows `text` as plain text in a modal box with an OK button and waits
    // until the user closes it.
    static void show(Kind kind, const QString &text);

    // While set, messages go to `interceptor` and nothing is shown.
    static void setInterceptor(Interceptor interceptor);
};

} // namespace zel
