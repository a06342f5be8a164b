#pragma once

#include <QString>

namespace zel {

// The path up to and including its last separator; the path itself when it
// ends with the separator or holds none.
QString FolderOfPath(const QString &path, const QString &sep);

} // namespace zel
