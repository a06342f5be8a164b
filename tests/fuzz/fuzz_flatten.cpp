#include "fakedisplay.h"
#include "fuzzcheck.h"
#include "modulemain.h"
#include "striptagsmodel.h"
#include "zelctrl.h"

#include <cstring>

using namespace zel;
using namespace zel::fuzz;
using namespace zel::test;

namespace {

QString flatten(const QString &text)
{
    QString stripped = text;
    StripTags(stripped, u"<"_s, u">"_s);
    ZEL_FUZZ_CHECK(stripped == stripTagsModel(text, u"<"_s, u">"_s));
    const qsizetype firstOpener = stripped.indexOf(u'<');
    ZEL_FUZZ_CHECK(firstOpener < 0 || stripped.indexOf(u'>', firstOpener) < 0);

    // Only the first kind found of CR LF, LF and CR goes; the others stay.
    const QString kind = stripped.contains(u"\r\n"_s) ? u"\r\n"_s
        : stripped.contains(u'\n')                    ? u"\n"_s
        : stripped.contains(u'\r')                    ? u"\r"_s
                                                      : QString();
    QString flat = stripped;
    bool hadLineBreak = false;
    ZEL_FUZZ_CHECK(ReplaceLineBreaks(flat, u" "_s, hadLineBreak).isOk());
    ZEL_FUZZ_CHECK(hadLineBreak == !kind.isEmpty());
    ZEL_FUZZ_CHECK(kind.isEmpty() || !flat.contains(kind));
    ZEL_FUZZ_CHECK(flat == (kind.isEmpty() ? stripped : QString(stripped).replace(kind, u" "_s)));
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
