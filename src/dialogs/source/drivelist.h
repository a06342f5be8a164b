#pragma once

#include "status.h"

#include <QComboBox>
#include <QStringList>

namespace zel {

// The drive list: the drive letters on Windows, elsewhere the roots of the
// mounted volumes with "/" first. Every root ends with the separator.
// `Change` is raised whenever the chosen drive changes, by the user or by
// code.
class DriveList final : public QComboBox
{
    Q_OBJECT

public:
    explicit DriveList(QWidget *parent = nullptr);

    // The chosen drive's root, e.g. "/" or "C:\".
    QString Drive() const;

    // Chooses the drive that holds `path`. Fails when no listed drive does.
    Status setDrive(const QString &path);

    // Shows the drive that holds `path` without raising `Change`, so the list
    // keeps naming the folder list's drive.
    void showDriveOf(const QString &path);

    // The roots as the list shows them, in order.
    static QStringList driveRoots();

Q_SIGNALS:
    void Change();

private:
    void refill();
    qsizetype indexFor(const QString &path) const;

    QStringList m_roots;
};

} // namespace zel
