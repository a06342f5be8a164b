#include "gothicfont.h"

#include <QStringList>

namespace zel {

void registerFontSubstitutions()
{
    QFont::insertSubstitutions(kGothicFace,
                               { QStringLiteral("MS PGothic"), QStringLiteral("IPAPGothic"),
                                 QStringLiteral(u"IPA Pゴシック"), QStringLiteral("VL PGothic"),
                                 QStringLiteral("Noto Sans CJK JP"), QStringLiteral("Noto Sans JP"),
                                 QStringLiteral("Source Han Sans JP"), QStringLiteral("IPAGothic"),
                                 QStringLiteral("Takao PGothic"),
                                 QStringLiteral("Droid Sans Fallback"),
                                 QStringLiteral("WenQuanYi Zen Hei"),
                                 QStringLiteral("Hiragino Sans"), QStringLiteral("Yu Gothic") });
}

QFont gothicFont(double pointSize, bool bold, bool underline)
{
    QFont font(kGothicFace);
    font.setPointSizeF(pointSize);
    font.setBold(bold);
    font.setUnderline(underline);
    return font;
}

} // namespace zel
