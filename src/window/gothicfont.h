#pragma once

#include <QFont>
#include <QString>

namespace zel {

// The face every window of the program asks for.
inline const QString kGothicFace = QStringLiteral(u"ＭＳ Ｐゴシック");

// Makes the Gothic face fall back to a metric-compatible Japanese Gothic,
// then to any installed CJK face. Call once at start-up; safe to call again.
void registerFontSubstitutions();

QFont gothicFont(double pointSize, bool bold, bool underline = false);

} // namespace zel
