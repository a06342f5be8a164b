#include "pathrules.h"

#include <QDir>
#include <QFileInfo>

namespace zel {

QString nativeSeparator()
{
    return QString(QDir::separator());
}

QString composePath(const QString &folder, const QString &fileName, const QString &separator)
{
    if (folder.endsWith(separator))
        return folder + fileName;
    return folder + separator + fileName;
}

qsizetype volumeIndexFor(const QString &path, const QStringList &roots, const QString &separator,
                         Qt::CaseSensitivity caseSensitivity)
{
    const QString candidate = path.endsWith(separator) ? path : path + separator;
    qsizetype best = -1;
    for (qsizetype i = 0; i < roots.size(); ++i) {
        const QString &root = roots.at(i);
        if (root.isEmpty() || !candidate.startsWith(root, caseSensitivity))
            continue;
        if (best < 0 || root.size() > roots.at(best).size())
            best = i;
    }
    return best;
}

QString normalFolder(const QString &path)
{
    QString clean = QDir::cleanPath(QDir::fromNativeSeparators(path));
#ifdef Q_OS_WIN
    // A bare drive such as "C:" means its root here.
    if (clean.size() == 2 && clean.at(1) == u':')
        clean += u'/';
#endif
    return QDir::toNativeSeparators(clean);
}

bool isReadableFolder(const QString &path)
{
    const QFileInfo info(path);
#ifdef Q_OS_WIN
    return info.isDir() && info.isReadable();
#else
    // Listing needs read permission, entering needs search permission.
    return info.isDir() && info.isReadable() && info.isExecutable();
#endif
}

QString nearestReadableFolder(const QString &path)
{
    if (path.isEmpty() || !QDir::isAbsolutePath(path))
        return {};
    QString folder = normalFolder(path);
    while (!isReadableFolder(folder)) {
        const QString parent = normalFolder(QFileInfo(folder).path());
        if (parent == folder)
            return {};
        folder = parent;
    }
    return folder;
}

} // namespace zel
