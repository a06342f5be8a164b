#include "fakedisplay.h"
#include "fuzzcheck.h"
#include "modulemain.h"
#include "striptagsmodel.h"
#include "zelctrl.h"

#include <algorithm>
#include <array>
#include <cstring>

using namespace zel;
using namespace zel::fuzz;
using namespace zel::test;

namespace {

// Line breaks in the order of precedence: only the first kind the text holds
// becomes a blank, the others stay.
enum Break { CrLf, Lf, Cr, NoBreak };

Break breakAt(QStringView text, qsizetype i)
{
    if (text.sliced(i).startsWith(u"\r\n"))
        return CrLf;
    return text[i] == u'\n' ? Lf : text[i] == u'\r' ? Cr : NoBreak;
}

// Counts the breaks of each kind in one walk, picks the kind from the
// counts, and writes the text again with that kind as blanks.
QString expectedFlat(QStringView text, bool &hadLineBreak)
{
    std::array<qsizetype, NoBreak> count {};
    for (qsizetype i = 0; i < text.size(); i += breakAt(text, i) == CrLf ? 2 : 1) {
        if (const Break found = breakAt(text, i); found != NoBreak)
            ++count[found];
    }
    const auto first = std::find_if(count.begin(), count.end(), [](qsizetype n) { return n > 0; });
    const Break replaced = Break(first - count.begin());
    hadLineBreak = replaced != NoBreak;
    QString flat;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const Break found = breakAt(text, i);
        if (found == replaced && found != NoBreak) {
            flat += u' ';
            i += found == CrLf ? 1 : 0;
        } else {
            flat += text[i];
        }
    }
    return flat;
}

QString flatten(const QString &text)
{
    QString stripped = text;
    StripTags(stripped, u"<"_s, u">"_s);
    ZEL_FUZZ_CHECK(stripped == stripTagsModel(text, u"<"_s, u">"_s));
    const qsizetype firstOpener = stripped.indexOf(u'<');
    ZEL_FUZZ_CHECK(firstOpener < 0 || stripped.indexOf(u'>', firstOpener) < 0);

    QString flat = stripped;
    bool hadLineBreak = false;
    ZEL_FUZZ_CHECK(ReplaceLineBreaks(flat, u" "_s, hadLineBreak).isOk());
    bool expectLineBreak = false;
    ZEL_FUZZ_CHECK(flat == expectedFlat(stripped, expectLineBreak));
    ZEL_FUZZ_CHECK(hadLineBreak == expectLineBreak);
    return flat;
}

// One pass of the ticker, piece by piece, as box 0 receives them.
QStringList cutIntoPieces(const QString &flat)
{
    QStringList log;
    FakeTextBox box0(log, 0), box1(log, 1);
    FakeFrame frame;
    FakeMeasuringForm form(log);
    FakeEventQueue queue;
    ZelCtrl ticker(queue);
    ticker.setFormName(&form);
    ticker.setFrameName(&frame);
    ZEL_FUZZ_CHECK(ticker.setTextBoxName({ &box0, &box1 }).isOk());
    ZEL_FUZZ_CHECK(ticker.setText(flat).isOk());

    QStringList pieces;
    do {
        ZEL_FUZZ_CHECK(pieces.size() <= flat.size());
        const QString shownBehind = box1.text;
        // With the ticker stopped, every Engine() call moves on by one piece.
        ZEL_FUZZ_CHECK(ticker.Engine().isOk());
        ZEL_FUZZ_CHECK(pieces.isEmpty() || box0.text == shownBehind);
        pieces << box0.text;
    } while (ticker.Text() != flat);
    ZEL_FUZZ_CHECK(box1.text.isEmpty());
    return pieces;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    QString text(static_cast<qsizetype>(size / 2), Qt::Uninitialized);
    std::memcpy(text.data(), data, size / 2 * sizeof(QChar));
    const QString flat = flatten(text);
    const QStringList pieces = cutIntoPieces(flat);
    ZEL_FUZZ_CHECK(pieces.join(QString()) == flat);
    for (qsizetype i = 0; i < pieces.size(); ++i) {
        ZEL_FUZZ_CHECK(pieces[i].size() <= ZelCtrl::kPieceLength);
        const bool splitsPair = i + 1 < pieces.size() && !pieces[i].isEmpty() &&
            pieces[i].back().isHighSurrogate() && pieces[i + 1].front().isLowSurrogate();
        ZEL_FUZZ_CHECK(!splitsPair);
    }
    return 0;
}
