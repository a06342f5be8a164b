#include "drivelist.h"

#include "pathrules.h"

#include <QDir>
#include <QFileInfo>
#include <QSignalBlocker>
#include <QStorageInfo>

#include <algorithm>

namespace zel {

namespace {

Qt::CaseSensitivity pathCaseSensitivity()
{
#ifdef Q_OS_WIN
    return Qt::CaseInsensitive;
#else
    return Qt::CaseSensitive;
#endif
}

QString withSeparator(const QString &root)
{
    const QString native = QDir::toNativeSeparators(root);
    return native.endsWith(nativeSeparator()) ? native : native + nativeSeparator();
}

} // namespace

DriveList::DriveList(QWidget *parent)
    : QComboBox(parent)
{
    refill();
    connect(this, &QComboBox::currentIndexChanged, this, &DriveList::Change);
}

QString DriveList::Drive() const
{
    const int index = currentIndex();
    return index >= 0 && index < m_roots.size() ? m_roots.at(index) : QString();
}

Status DriveList::setDrive(const QString &path)
{
    qsizetype index = indexFor(path);
    if (index < 0) {
        // A volume mounted since the list was filled.
        const QSignalBlocker blocker(this);
        const QString current = Drive();
        refill();
        setCurrentIndex(static_cast<int>(indexFor(current)));
        index = indexFor(path);
    }
    if (index < 0)
        return Status::failure(tr("No drive holds \"%1\".").arg(QDir::toNativeSeparators(path)));
    setCurrentIndex(static_cast<int>(index));
    return Status::ok();
}

void DriveList::showDriveOf(const QString &path)
{
    const qsizetype index = indexFor(path);
    if (index < 0)
        return;
    const QSignalBlocker blocker(this);
    setCurrentIndex(static_cast<int>(index));
}

QStringList DriveList::driveRoots()
{
    QStringList roots;
#ifdef Q_OS_WIN
    for (const QFileInfo &drive : QDir::drives())
        roots.append(withSeparator(drive.absoluteFilePath()));
#else
    for (const QStorageInfo &volume : QStorageInfo::mountedVolumes()) {
        // Files mounted over files (containers do that) are no drives.
        if (volume.isValid() && QFileInfo(volume.rootPath()).isDir())
            roots.append(withSeparator(volume.rootPath()));
    }
    // "/" is a leading part of every other root, so it sorts first.
    if (!roots.contains(nativeSeparator()))
        roots.append(nativeSeparator());
    std::sort(roots.begin(), roots.end());
#endif
    roots.removeDuplicates();
    return roots;
}

void DriveList::refill()
{
    m_roots = driveRoots();
    clear();
    for (const QString &root : std::as_const(m_roots))
        addItem(root);
}

qsizetype DriveList::indexFor(const QString &path) const
{
    return volumeIndexFor(QDir::toNativeSeparators(path), m_roots, nativeSeparator(),
                          pathCaseSensitivity());
}

} // namespace zel
