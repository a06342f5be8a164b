#include "filepattern.h"

#include <QStringList>

namespace zel {

FilePattern::FilePattern(const QString &text)
{
    const QStringList parts = text.split(u';', Qt::SkipEmptyParts);
    for (const QString &part : parts) {
        const QString wildcard = part.trimmed();
        if (wildcard.isEmpty())
            continue;
        m_expressions.append(wildcardExpression(wildcard));
        if (wildcard.endsWith(QStringLiteral(".*")))
            m_expressions.append(wildcardExpression(wildcard.chopped(2)));
    }
    if (m_expressions.isEmpty())
        m_expressions.append(wildcardExpression(QStringLiteral("*")));
}

bool FilePattern::matches(const QString &fileName) const
{
    for (const QRegularExpression &expression : m_expressions) {
        if (expression.match(fileName).hasMatch())
            return true;
    }
    return false;
}

QRegularExpression FilePattern::wildcardExpression(const QString &wildcard)
{
    QString expression;
    for (const QChar c : wildcard) {
        if (c == u'*')
            expression += QStringLiteral(".*");
        else if (c == u'?')
            expression += u'.';
        else
            expression += QRegularExpression::escape(QString(c));
    }
    return QRegularExpression(QRegularExpression::anchoredPattern(expression),
                              QRegularExpression::CaseInsensitiveOption |
                                  QRegularExpression::DotMatchesEverythingOption);
}

} // namespace zel
