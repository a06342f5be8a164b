#include "strhelper.h"

#include <algorithm>

namespace zel {

Status StrHelper::Replace(QString &text, const QString &find, const QString &replacement, int start,
                          int count, int compare)
{
    if (start != 0 || count != 0 || compare != 0)
        return Status::failure(QStringLiteral("Replace: only a replacement of every occurrence is supported"));
    if (find.isEmpty())
        return Status::failure(QStringLiteral("Replace: the string to find is empty"));
    text.replace(find, replacement);
    return Status::ok();
}

Status StrHelper::CutHead(QString &source, QString &destination, int maxLength)
{
    if (maxLength < 0)
        return Status::failure(QStringLiteral("CutHead: negative length %1").arg(maxLength));
    const qsizetype length = headLength(source, maxLength);
    destination = source.left(length);
    source.remove(0, length);
    return Status::ok();
}

qsizetype StrHelper::headLength(const QString &text, int maxLength)
{
    qsizetype length = std::clamp<qsizetype>(maxLength, 0, text.size());
    if (length > 1 && length < text.size() && text.at(length - 1).isHighSurrogate()
        && text.at(length).isLowSurrogate())
        --length;
    return length;
}

} // namespace zel
