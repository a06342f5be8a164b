#include "htmliketext.h"

#include <QStringList>

#include <random>

namespace zel::bench {

QString htmlLikeText(qsizetype length)
{
    const QStringList tokens {
        QStringLiteral("<p class=\"news\">"),
        QStringLiteral("</p>\r\n"),
        QStringLiteral("<br>"),
        QStringLiteral("<a href=\"https://example.org/item?id=42\">"),
        QStringLiteral("</a>"),
        QStringLiteral("ticker "),
        QStringLiteral("market "),
        QStringLiteral("weather "),
        QStringLiteral("a > b "),
        QStringLiteral("\u6771\u4eac\u306e\u5929\u6c17 "),
        QStringLiteral("headline "),
        QStringLiteral("\r\n"),
    };
    std::mt19937 random(12345);
    std::uniform_int_distribution<qsizetype> pick(0, tokens.size() - 1);
    QString text;
    text.reserve(length + 64);
    while (text.size() < length)
        text += tokens.at(pick(random));
    text.truncate(length);
    return text;
}

} // namespace zel::bench
