#pragma once

#include <QString>

namespace zel {

// The comment file kept beside the program.
inline const QString kAboutCommentFile = QStringLiteral("AboutComment.txt");

// "Zel Ver " and the program's version, e.g. "Zel Ver 1.0.20".
QString versionLine();

// What the box shows in place of a comment file that cannot be read.
QString loadErrorText(const QString &filePath);

// The version line, an empty line, then `body`.
QString aboutCaption(const QString &body);

// The caption for the comment file in `programFolder`: its text, or the
// error text naming the file when it is missing, unreadable or not text.
QString aboutCaptionFor(const QString &programFolder);

// The caption with every line break (CR LF, LF or CR) as one LF, the way a
// label breaks lines.
QString displayLines(const QString &caption);

} // namespace zel
