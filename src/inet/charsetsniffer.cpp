#include "charsetsniffer.h"

namespace zel {

namespace {

bool isAsciiSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f';
}

bool isTokenChar(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' ||
        c == '_' || c == '.' || c == ':' || c == '+';
}

// The value that follows `name` and an equals sign somewhere in `text`,
// quoted or not; the search is ASCII-case-insensitive, `name` is lower case.
QByteArray valueAfter(QByteArrayView text, QByteArrayView name)
{
    const QByteArray lowered = text.toByteArray().toLower();
    qsizetype from = 0;
    while (true) {
        const qsizetype at = lowered.indexOf(name, from);
        if (at < 0)
            return {};
        from = at + 1;
        qsizetype i = at + name.size();
        while (i < text.size() && isAsciiSpace(text[i]))
            ++i;
        if (i >= text.size() || text[i] != '=')
            continue;
        ++i;
        while (i < text.size() && isAsciiSpace(text[i]))
            ++i;
        if (i < text.size() && (text[i] == '"' || text[i] == '\''))
            ++i;
        const qsizetype start = i;
        while (i < text.size() && isTokenChar(text[i]))
            ++i;
        if (i > start)
            return text.sliced(start, i - start).toByteArray();
    }
}

// Answers a declaration made in an ASCII-compatible document: one that
// names UTF-16 or UTF-32 cannot be true, so the page is read as UTF-8.
QByteArray asciiCompatible(QByteArray charset)
{
    const QByteArray lower = charset.toLower();
    if (lower.startsWith("utf-16") || lower.startsWith("utf-32") || lower.startsWith("ucs-"))
        return QByteArrayLiteral("UTF-8");
    return charset;
}

} // namespace

QByteArray CharsetSniffer::fromContentType(QByteArrayView contentType)
{
    const qsizetype parameters = contentType.indexOf(';');
    if (parameters < 0)
        return {};
    return valueAfter(contentType.sliced(parameters), "charset");
}

QByteArray CharsetSniffer::mediaType(QByteArrayView contentType)
{
    const qsizetype parameters = contentType.indexOf(';');
    const QByteArrayView type = parameters < 0 ? contentType : contentType.first(parameters);
    return type.trimmed().toByteArray().toLower();
}

QByteArray CharsetSniffer::fromDocument(QByteArrayView bytes)
{
    const QByteArrayView head = bytes.first(qMin(bytes.size(), kPrescanBytes));

    if (head.startsWith("<?xml")) {
        const qsizetype end = head.indexOf("?>");
        if (end > 0) {
            const QByteArray encoding = valueAfter(head.first(end), "encoding");
            if (!encoding.isEmpty())
                return asciiCompatible(encoding);
        }
    }

    qsizetype from = 0;
    while (true) {
        const qsizetype at = head.indexOf("<", from);
        if (at < 0)
            return {};
        const QByteArrayView rest = head.sliced(at);
        if (rest.startsWith("<!--")) {
            const qsizetype close = head.indexOf("-->", at + 4);
            if (close < 0)
                return {};
            from = close + 3;
            continue;
        }
        const qsizetype close = head.indexOf('>', at);
        if (close < 0)
            return {};
        from = close + 1;
        const bool isMeta = rest.size() > 5 && rest.first(5).toByteArray().toLower() == "<meta" &&
            (isAsciiSpace(rest[5]) || rest[5] == '/');
        if (!isMeta)
            continue;
        const QByteArray charset = valueAfter(head.sliced(at, close - at), "charset");
        if (!charset.isEmpty())
            return asciiCompatible(charset);
    }
}

} // namespace zel
