#include "filelist.h"

#include "pathrules.h"

#include <QDir>

namespace zel {

FileList::FileList(QWidget *parent)
    : QListWidget(parent)
{
    setSelectionMode(QAbstractItemView::SingleSelection);
    setUniformItemSizes(true);
    // A mouse click raises Click once, on release; a selection moved by the
    // keyboard raises it at once.
    connect(this, &QListWidget::itemClicked, this, &FileList::Click);
    connect(this, &QListWidget::itemSelectionChanged, this, [this] {
        if (!m_quiet)
            Q_EMIT Click();
    });
    connect(this, &QListWidget::itemDoubleClicked, this, &FileList::DblClick);
}

void FileList::setPath(const QString &path)
{
    const QString folder = normalFolder(path);
    if (folder == m_path)
        return;
    m_path = folder;
    refill();
}

void FileList::setPattern(const QString &pattern)
{
    if (pattern == m_patternText)
        return;
    m_patternText = pattern;
    m_pattern = FilePattern(pattern);
    refill();
}

QString FileList::FileName() const
{
    const QList<QListWidgetItem *> selected = selectedItems();
    return selected.isEmpty() ? QString() : selected.constFirst()->text();
}

QStringList FileList::fileNames() const
{
    QStringList names;
    for (int row = 0; row < count(); ++row)
        names.append(item(row)->text());
    return names;
}

void FileList::mousePressEvent(QMouseEvent *event)
{
    m_quiet = true;
    QListWidget::mousePressEvent(event);
    m_quiet = false;
}

void FileList::refill()
{
    m_quiet = true;
    clear();
    if (!m_path.isEmpty()) {
        const QStringList names =
            QDir(m_path).entryList(QDir::Files, QDir::Name | QDir::IgnoreCase | QDir::LocaleAware);
        for (const QString &name : names) {
            if (m_pattern.matches(name))
                addItem(name);
        }
    }
    m_quiet = false;
}

} // namespace zel
