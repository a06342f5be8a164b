#include "abouttext.h"

#include "filehelper.h"
#include "zelversion.h"

#include <QDir>

namespace zel {

namespace {

const QString kCrLf = QStringLiteral("\r\n");

} // namespace

QString versionLine()
{
    return QStringLiteral("Zel Ver ") + versionNumber();
}

QString loadErrorText(const QString &filePath)
{
    return QStringLiteral("File Load Error !") + kCrLf + QStringLiteral("This File:") + kCrLf +
        kCrLf + filePath;
}

QString aboutCaption(const QString &body)
{
    return versionLine() + kCrLf + kCrLf + body;
}

QString aboutCaptionFor(const QString &programFolder)
{
    const QString path = QDir::toNativeSeparators(QDir(programFolder).filePath(kAboutCommentFile));
    FileHelper file;
    QString text;
    bool isText = false;
    // Whatever keeps the comment from being shown, the box still opens and
    // tells which file it could not show.
    if (file.SetFile(path).isOk() && file.ReadText(text, isText).isOk() && isText)
        return aboutCaption(text);
    QString shownPath;
    if (!file.GetFile(shownPath).isOk() || shownPath.isEmpty())
        shownPath = path;
    return aboutCaption(loadErrorText(shownPath));
}

QString displayLines(const QString &caption)
{
    QString lines = caption;
    lines.replace(kCrLf, QStringLiteral("\n"));
    lines.replace(u'\r', u'\n');
    return lines;
}

} // namespace zel
