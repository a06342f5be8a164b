#pragma once

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

// alpha/ with a.txt b.log c.dat README notes.TXT and subfolders sub1, sub2;
// beta/ with x.txt.
class FolderTree final
{
public:
    FolderTree()
    {
        QDir root(m_dir.path());
        root.mkpath(QStringLiteral("alpha/sub1"));
        root.mkpath(QStringLiteral("alpha/sub2"));
        root.mkpath(QStringLiteral("beta"));
        for (const char *name : { "alpha/a.txt", "alpha/b.log", "alpha/c.dat", "alpha/README",
                                  "alpha/notes.TXT", "beta/x.txt" }) {
            QFile file(root.filePath(QString::fromLatin1(name)));
            if (file.open(QIODevice::WriteOnly))
                file.write("text\n");
        }
    }

    bool isValid() const { return m_dir.isValid(); }

    // The native path of `relative` in the tree; "@/x" in test data stands for it.
    QString path(const QString &relative = QString()) const
    {
        return QDir::toNativeSeparators(relative.isEmpty() ? m_dir.path()
                                                           : m_dir.filePath(relative));
    }
    QString resolve(const QString &text) const
    {
        return text.startsWith(QStringLiteral("@/")) ? path(text.mid(2)) : text;
    }

private:
    QTemporaryDir m_dir;
};
