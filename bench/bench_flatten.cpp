#include "htmliketext.h"
#include "modulemain.h"

#include <benchmark/benchmark.h>

using namespace zel;
using namespace zel::bench;

// Runs `flatten` on a fresh copy of a page-like text in every iteration. One
// byte processed is one character of the loaded text.
template<typename Flattening> static void runOnCopies(benchmark::State &state, Flattening flatten)
{
    const QString source = htmlLikeText(state.range(0));
    for (auto _ : state) {
        state.PauseTiming();
        QString text = source;
        text.detach();
        state.ResumeTiming();
        flatten(state, text);
        benchmark::DoNotOptimize(text.constData());
    }
    state.SetBytesProcessed(state.iterations() * state.range(0));
}

static void StripTagsOnly(benchmark::State &state)
{
    runOnCopies(state, [](benchmark::State &, QString &text) {
        StripTags(text, QStringLiteral("<"), QStringLiteral(">"));
    });
}

// StripTags then ReplaceLineBreaks, as a loaded text is flattened.
static void Flatten(benchmark::State &state)
{
    runOnCopies(state, [](benchmark::State &s, QString &text) {
        StripTags(text, QStringLiteral("<"), QStringLiteral(">"));
        bool hadLineBreak = false;
        if (!ReplaceLineBreaks(text, QStringLiteral(" "), hadLineBreak).isOk() || !hadLineBreak)
            s.SkipWithError("the line breaks were not replaced");
    });
}

BENCHMARK(StripTagsOnly)->Arg(kMiB)->Arg(10 * kMiB)->Arg(100 * kMiB)->Unit(benchmark::kMillisecond);
BENCHMARK(Flatten)->Arg(kMiB)->Arg(10 * kMiB)->Arg(100 * kMiB)->Unit(benchmark::kMillisecond);
