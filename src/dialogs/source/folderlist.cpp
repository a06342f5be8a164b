#include "folderlist.h"

#include "pathrules.h"

#include <QDir>
#include <QFileInfo>
#include <QHeaderView>
#include <QKeyEvent>
#include <QStyle>

namespace zel {

namespace {

constexpr int kPathRole = Qt::UserRole;

QString entryName(const QString &folder)
{
    const QString name = QFileInfo(folder).fileName();
    return name.isEmpty() ? folder : name;
}

} // namespace

FolderList::FolderList(QWidget *parent)
    : QTreeWidget(parent)
{
    setHeaderHidden(true);
    setRootIsDecorated(false);
    setItemsExpandable(false);
    setExpandsOnDoubleClick(false);
    setIndentation(10);
    setUniformRowHeights(true);
    connect(this, &QTreeWidget::itemDoubleClicked, this,
            [this](const QTreeWidgetItem *item) { enter(item); });

    m_path = nearestReadableFolder(QDir::currentPath());
    if (m_path.isEmpty())
        m_path = normalFolder(QDir::rootPath());
    refill();
}

Status FolderList::setPath(const QString &path)
{
    const QString folder = normalFolder(path);
    if (!QDir::isAbsolutePath(folder) || !isReadableFolder(folder)) {
        return Status::failure(
            tr("The folder \"%1\" cannot be opened: it does not exist or cannot be read.")
                .arg(QDir::toNativeSeparators(path)));
    }
    if (folder == m_path)
        return Status::ok();
    m_path = folder;
    refill();
    Q_EMIT Change();
    return Status::ok();
}

QStringList FolderList::entryPaths() const
{
    QStringList paths;
    for (const QTreeWidgetItem *item = topLevelItem(0); item; item = itemBelow(item))
        paths.append(item->data(0, kPathRole).toString());
    return paths;
}

void FolderList::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        // Enter moves into the entry instead of pressing the dialog's default button.
        enter(currentItem());
        event->accept();
        return;
    }
    QTreeWidget::keyPressEvent(event);
}

void FolderList::refill()
{
    clear();
    QStringList chain;
    for (QString folder = m_path;;) {
        chain.prepend(folder);
        const QString parent = normalFolder(QFileInfo(folder).path());
        if (parent == folder)
            break;
        folder = parent;
    }

    const QIcon openIcon = style()->standardIcon(QStyle::SP_DirOpenIcon);
    const QIcon closedIcon = style()->standardIcon(QStyle::SP_DirClosedIcon);
    QTreeWidgetItem *current = nullptr;
    for (const QString &folder : std::as_const(chain)) {
        auto *item = current ? new QTreeWidgetItem(current) : new QTreeWidgetItem(this);
        item->setText(0, entryName(folder));
        item->setIcon(0, openIcon);
        item->setData(0, kPathRole, folder);
        current = item;
    }

    const QDir dir(m_path);
    const QStringList subfolders = dir.entryList(QDir::Dirs | QDir::NoDotAndDotDot,
                                                 QDir::Name | QDir::IgnoreCase | QDir::LocaleAware);
    for (const QString &name : subfolders) {
        auto *item = new QTreeWidgetItem(current);
        item->setText(0, name);
        item->setIcon(0, closedIcon);
        item->setData(0, kPathRole, normalFolder(dir.filePath(name)));
    }
    expandAll();
    setCurrentItem(current);
    scrollToItem(current, QAbstractItemView::PositionAtTop);
}

void FolderList::enter(const QTreeWidgetItem *item)
{
    if (!item)
        return;
    if (!setPath(item->data(0, kPathRole).toString()).isOk())
        refill(); // the entry went away meanwhile: show what is there now
}

} // namespace zel
