#pragma once

#include <QString>
#include <QStringList>

namespace zel {

// The system's own path separator as a string: "\" on Windows, "/" elsewhere.
QString nativeSeparator();

// The path box text for `fileName` in `folder`: a root already ends with the
// separator, so the separator is added only where it is missing.
QString composePath(const QString &folder, const QString &fileName, const QString &separator);

// The index of the root in `roots` that holds `path`: the longest root (each
// ending with `separator`) that is a leading part of the path at a separator
// boundary; -1 when none does.
qsizetype volumeIndexFor(const QString &path, const QStringList &roots, const QString &separator,
                         Qt::CaseSensitivity caseSensitivity);

// `path` with native separators, without "." and ".." parts and without a
// trailing separator, except at a root, which keeps it ("/", "C:\").
QString normalFolder(const QString &path);

// The nearest folder that can be listed: `path` itself or the closest of its
// ancestors. Empty when `path` is not absolute or not even its root can be
// listed (a drive that is not ready).
QString nearestReadableFolder(const QString &path);

// Whether the folder exists and its entries can be listed.
bool isReadableFolder(const QString &path);

} // namespace zel
