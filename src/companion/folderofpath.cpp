#include "folderofpath.h"

namespace zel {

namespace {

// 1-based position of `needle` at or after `from`, 0 when there is none.
qsizetype searchIgnoringCase(const QString &haystack, const QString &needle, qsizetype from)
{
    return haystack.indexOf(needle, from - 1, Qt::CaseInsensitive) + 1;
}

} // namespace

QString FolderOfPath(const QString &path, const QString &sep)
{
    if (path.right(1) == sep || !path.contains(sep, Qt::CaseInsensitive))
        return path;
    qsizetype lastSep = 1;
    while (const qsizetype next = searchIgnoringCase(path, sep, lastSep + 1))
        lastSep = next;
    return path.left(lastSep);
}

} // namespace zel
