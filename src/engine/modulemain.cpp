#include "modulemain.h"

#include "strhelper.h"

#include <algorithm>

namespace zel {

namespace {

// With one-character delimiters the text before the first opener never holds
// an opener, also after a removal, so the search for the next opener can go on
// behind the removed span: one pass, compacting the text in place.
void stripSingleCharTags(QString &text, QChar open, QChar close)
{
    const qsizetype firstOpener = text.indexOf(open);
    if (firstOpener < 0)
        return;
    QChar *const begin = text.data();
    QChar *const end = begin + text.size();
    QChar *out = begin + firstOpener;
    QChar *opener = out;
    while (opener != end) {
        QChar *const closer = std::find(opener + 1, end, close);
        if (closer == end)
            break;
        QChar *const nextOpener = std::find(closer + 1, end, open);
        out = std::copy(closer + 1, nextOpener, out);
        opener = nextOpener;
    }
    // An opener without a closer after it keeps itself and all behind it.
    out = (out == opener) ? end : std::copy(opener, end, out);
    text.truncate(out - begin);
}

// Any other delimiters: search again from the start after every removal. A
// removal can join the text around it into a new opener, so there is no
// shortcut here.
void stripTagsBySearch(QString &text, const QString &open, const QString &close)
{
    qsizetype a = text.indexOf(open);
    while (a >= 0) {
        const qsizetype b = text.indexOf(close, a + 1);
        if (b < 0)
            return;
        text.remove(a, b - a + 1);
        a = text.indexOf(open);
    }
}

// Created on the first replacement and kept for the life of the program.
StrHelper &sharedStrHelper()
{
    static StrHelper helper;
    return helper;
}

} // namespace

void StripTags(QString &text, const QString &open, const QString &close)
{
    if (open.size() == 1 && close.size() == 1)
        stripSingleCharTags(text, open.front(), close.front());
    else
        stripTagsBySearch(text, open, close);
}

Status ReplaceLineBreaks(QString &text, const QString &replacement, bool &hadLineBreak)
{
    hadLineBreak = false;
    QString lineBreak;
    if (text.contains(u"\r\n"))
        lineBreak = QStringLiteral("\r\n");
    else if (text.contains(u'\n'))
        lineBreak = QStringLiteral("\n");
    else if (text.contains(u'\r'))
        lineBreak = QStringLiteral("\r");
    else
        return Status::ok();
    ZEL_TRY(sharedStrHelper().Replace(text, lineBreak, replacement, 0, 0, 0));
    hadLineBreak = true;
    return Status::ok();
}

void FitTextBox(MeasuringForm &form, TextBox &box)
{
    const bool savedBold = form.FontBold();
    const bool savedItalic = form.FontItalic();
    const QString savedName = form.FontName();
    const double savedSize = form.FontSize();

    form.setFontBold(box.FontBold());
    form.setFontItalic(box.FontItalic());
    form.setFontName(box.FontName());
    form.setFontSize(box.FontSize());
    const QString text = box.Text();
    box.setWidth(form.TextWidth(text));
    box.setHeight(form.TextHeight(text));

    form.setFontBold(savedBold);
    form.setFontItalic(savedItalic);
    form.setFontName(savedName);
    form.setFontSize(savedSize);
}

void Delay(EventQueue &queue, int count)
{
    for (int i = 0; i < count; ++i)
        queue.yieldOnce();
}

} // namespace zel
