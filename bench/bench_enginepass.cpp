#include "benchdisplay.h"
#include "htmliketext.h"
#include "zelctrl.h"

#include <benchmark/benchmark.h>

using namespace zel;
using namespace zel::bench;

// One full pass of the ticker over the text: every piece cut, written to the
// boxes and measured. With Fuel off each Engine() call loads exactly one piece.
static void EnginePass(benchmark::State &state)
{
    const qsizetype length = state.range(0);
    PlainTextBox box0;
    PlainTextBox box1;
    PlainFrame frame;
    CountingMeasurer form;
    IdleQueue queue;
    ZelCtrl ticker(queue);
    ticker.setFormName(&form);
    ticker.setFrameName(&frame);
    if (!ticker.setTextBoxName({ &box0, &box1 }).isOk() ||
        !ticker.setText(htmlLikeText(length)).isOk()) {
        state.SkipWithError("the ticker could not be set up");
        return;
    }
    const qsizetype pieces = (length + ZelCtrl::kPieceLength - 1) / ZelCtrl::kPieceLength;

    for (auto _ : state) {
        for (qsizetype i = 0; i < pieces; ++i) {
            if (!ticker.Engine().isOk()) {
                state.SkipWithError("a piece could not be loaded");
                return;
            }
        }
    }
    if (ticker.Text().size() != length)
        state.SkipWithError("the pass did not end where the text ends");
    state.SetBytesProcessed(state.iterations() * length);
}
BENCHMARK(EnginePass)->Arg(kMiB)->Arg(10 * kMiB)->Arg(100 * kMiB)->Unit(benchmark::kMillisecond);
