#pragma once

#include <QList>
#include <QRegularExpression>
#include <QString>

namespace zel {

// A file list's pattern: one or more wildcard patterns separated by ";"
// ("*.txt;*.log"), where "*" stands for any run of characters and "?" for one
// character. Matching ignores letter case. As on the classic file lists, a
// trailing ".*" also matches a name without an extension, so "*.*" matches
// every file. An empty pattern matches every file too.
class FilePattern final
{
public:
    explicit FilePattern(const QString &text = QString());

    bool matches(const QString &fileName) const;

private:
    static QRegularExpression wildcardExpression(const QString &wildcard);

    QList<QRegularExpression> m_expressions;
};

} // namespace zel
