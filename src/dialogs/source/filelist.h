#pragma once

#include "filepattern.h"

#include <QListWidget>

namespace zel {

// The file list: the files of one folder whose names match the pattern.
// `Click` is raised when the user clicks a file or moves the selection with
// the keyboard, `DblClick` when a file is double-clicked.
class FileList final : public QListWidget
{
    Q_OBJECT

public:
    explicit FileList(QWidget *parent = nullptr);

    QString Path() const { return m_path; }
    // Lists the files of `path`; a folder that cannot be read lists none.
    void setPath(const QString &path);

    void setPattern(const QString &pattern);

    // The selected file's name; empty when none is selected.
    QString FileName() const;

    QStringList fileNames() const;

Q_SIGNALS:
    void Click();
    void DblClick();

protected:
    void mousePressEvent(QMouseEvent *event) override;

private:
    void refill();

    QString m_path;
    QString m_patternText = QStringLiteral("*.*");
    FilePattern m_pattern { m_patternText };
    bool m_quiet = false;
};

} // namespace zel
