#pragma once

#include "displaylayer.h"
#include "status.h"

#include <QString>

namespace zel {

// Removes every span from `open` to the next `close` after it, both included.
// An opening delimiter with no closing one after it stays, with all that
// follows it.
void StripTags(QString &text, const QString &open, const QString &close);

// Replaces the one kind of line break the text uses (CR LF, else LF, else CR)
// by `replacement`. `hadLineBreak` tells whether there was one.
Status ReplaceLineBreaks(QString &text, const QString &replacement, bool &hadLineBreak);

// Sizes the box to its text, measured in the box's own font on `form`. The
// form's font is the same afterwards.
void FitTextBox(MeasuringForm &form, TextBox &box);

// `count` yields to the event queue; none when `count` is 0 or negative.
void Delay(EventQueue &queue, int count);

} // namespace zel
