#pragma once

#include "status.h"

#include <QString>

namespace zel {

// Reads a whole text file, whatever its encoding, and tells text from binary
// data.
class FileHelper final
{
public:
    static constexpr qint64 kMaxFileSize = qint64(1) << 30; // 1 GiB

    FileHelper() = default;
    // A smaller limit than kMaxFileSize, for callers that want one.
    explicit FileHelper(qint64 maxFileSize);

    // Selects the file the following calls read. Any path is accepted here;
    // ReadText reports what is wrong with it.
    Status SetFile(const QString &path);

    // The selected path, with the platform's separators.
    Status GetFile(QString &path) const;

    // Reads the selected file. `isText` false means the file holds binary
    // data; `text` is then empty. A file that cannot be read is a failure
    // whose message names the file and the cause.
    Status ReadText(QString &text, bool &isText);

private:
    QString displayPath() const;
    Status cannotRead(const QString &cause) const;

    QString m_path;
    qint64 m_maxFileSize = kMaxFileSize;
};

} // namespace zel
