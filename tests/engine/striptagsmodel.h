#pragma once

#include <QString>

namespace zel::test {

// The tag removal as first written: after every removal, search again from
// position 1. The model that StripTags must agree with.
inline QString stripTagsModel(QString text, const QString &open, const QString &close)
{
    const auto inStr = [](qsizetype start, const QString &s, const QString &find) {
        return s.indexOf(find, start - 1) + 1;
    };
    qsizetype a = inStr(1, text, open);
    while (a != 0) {
        const qsizetype b = inStr(a + 1, text, close);
        if (b == 0)
            break;
        text = text.left(a - 1) + text.mid(b);
        a = inStr(1, text, open);
    }
    return text;
}

} // namespace zel::test
