#include "filehelper.h"

#include "textdecoder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>

#include <utility>

namespace zel {

FileHelper::FileHelper(qint64 maxFileSize)
    : m_maxFileSize(maxFileSize)
{ }

Status FileHelper::SetFile(const QString &path)
{
    m_path = path;
    return Status::ok();
}

Status FileHelper::GetFile(QString &path) const
{
    path = displayPath();
    return Status::ok();
}

Status FileHelper::ReadText(QString &text, bool &isText)
{
    if (m_path.isEmpty())
        return Status::failure(QStringLiteral("Cannot read a file: no file was chosen."));

    const QFileInfo info(m_path);
    if (!info.exists())
        return cannotRead(QStringLiteral("no such file"));
    if (info.isDir())
        return cannotRead(QStringLiteral("it is a folder"));
    // Devices and pipes could block or never end.
    if (!info.isFile())
        return cannotRead(QStringLiteral("it is not a regular file"));

    QFile file(m_path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Unbuffered)) {
        if (file.error() == QFileDevice::PermissionsError || !info.isReadable())
            return cannotRead(QStringLiteral("permission denied"));
        return cannotRead(file.errorString());
    }
    // The size of the open file, not of the name looked at above.
    const qint64 size = file.size();
    if (size > m_maxFileSize)
        return cannotRead(QStringLiteral("it is larger than %1")
                              .arg(QLocale().formattedDataSize(m_maxFileSize, 0)));

    QByteArray bytes(static_cast<qsizetype>(size), Qt::Uninitialized);
    qint64 got = 0;
    while (got < size) {
        const qint64 chunk = file.read(bytes.data() + got, size - got);
        if (chunk < 0)
            return cannotRead(file.errorString());
        if (chunk == 0)
            break; // the file shrank meanwhile
        got += chunk;
    }
    bytes.truncate(static_cast<qsizetype>(got));
    file.close();

    TextDecoder::Result decoded = TextDecoder::decode(bytes);
    bytes = QByteArray();
    isText = decoded.isText;
    text = std::move(decoded.text);
    return Status::ok();
}

QString FileHelper::displayPath() const
{
    return QDir::toNativeSeparators(m_path);
}

Status FileHelper::cannotRead(const QString &cause) const
{
    return Status::failure(QStringLiteral("Cannot read \"%1\": %2.").arg(displayPath(), cause));
}

} // namespace zel
