#pragma once

#include "status.h"

#include <QTreeWidget>

namespace zel {

// The folder list: the current folder's ancestors from the root down, then
// its subfolders, one level deeper. A double-click or Enter on an entry
// moves there. `Change` is raised whenever the path changes, by the user or
// by code. The path has no trailing separator except at a root ("/", "C:\").
class FolderList final : public QTreeWidget
{
    Q_OBJECT

public:
    explicit FolderList(QWidget *parent = nullptr);

    QString Path() const { return m_path; }

    // Moves to `path`. Fails, and stays, when the folder cannot be listed.
    Status setPath(const QString &path);

    // The path each entry stands for, in the order shown.
    QStringList entryPaths() const;

Q_SIGNALS:
    void Change();

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    void refill();
    void enter(const QTreeWidgetItem *item);

    QString m_path;
};

} // namespace zel
