#include "strhelper.h"

#include <algorithm>
#include <utility>

namespace zel {

namespace {

// Moves [first, last) down to `out`, which is never past `first`. While every
// replacement so far had the length of what it replaced, the stretch already
// stands where it belongs; std::copy must not be asked to copy onto itself.
QChar *keep(const QChar *first, const QChar *last, QChar *out)
{
    if (out == first)
        return out + (last - first);
    Q_ASSERT(out < first);
    return std::copy(first, last, out);
}

// A replacement no longer than what it replaces fits in the text's own
// buffer: the text is compacted in place behind the search, and a large text
// needs no second buffer of its size.
void replaceInPlace(QString &text, const QString &find, const QString &replacement, qsizetype match)
{
    QChar *const begin = text.data();
    QChar *out = begin + match;
    qsizetype from = match;
    for (; match >= 0; match = text.indexOf(find, from)) {
        out = keep(begin + from, begin + match, out);
        out = std::copy(replacement.cbegin(), replacement.cend(), out);
        from = match + find.size();
    }
    out = keep(begin + from, begin + text.size(), out);
    text.truncate(out - begin);
}

} // namespace

Status StrHelper::Replace(QString &text, const QString &find, const QString &replacement, int start,
                          int count, int compare)
{
    if (start != 0 || count != 0 || compare != 0)
        return Status::failure(
            QStringLiteral("Replace: only a replacement of every occurrence is supported"));
    if (find.isEmpty())
        return Status::failure(QStringLiteral("Replace: the string to find is empty"));
    // One pass that appends the stretches between matches: QString::replace
    // grows quadratic on large texts when the replacement is shorter.
    qsizetype match = text.indexOf(find);
    if (match < 0)
        return Status::ok();
    if (replacement.size() <= find.size()) {
        replaceInPlace(text, find, replacement, match);
        return Status::ok();
    }
    QString result;
    result.reserve(text.size());
    qsizetype from = 0;
    for (; match >= 0; match = text.indexOf(find, from)) {
        result.append(QStringView(text).sliced(from, match - from)).append(replacement);
        from = match + find.size();
    }
    result.append(QStringView(text).sliced(from));
    text = std::move(result);
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
    if (length > 1 && length < text.size() && text.at(length - 1).isHighSurrogate() &&
        text.at(length).isLowSurrogate())
        --length;
    return length;
}

} // namespace zel
