// How fast typing produces its events when nothing waits: a sink that only
// counts, 1000 characters of mixed text, no pause.
#include <benchmark/benchmark.h>

#include <string>

#include "keyboard/KeyTranslator.h"
#include "keyboard/TypeText.h"
#include "CountingKeySink.h"

namespace {

// Letters of both cases, digits, punctuation, GS and Enter, as labels carry them.
std::string MixedText()
{
    static const char szPattern[] = "Ab3-x;Q@7/z(k_P9,\x1D" "m%Tq0[e]\r";
    std::string strText;
    while (strText.size() < 1000) {
        strText += szPattern;
    }
    strText.resize(1000);
    return strText;
}

void BM_TypeText(benchmark::State& state)
{
    int nLayout = (int)state.range(0);
    BOOL fUnicode = (BOOL)state.range(1);
    gpKeyTranslatorMap = new KeyTranslatorMap(nLayout);
    std::string strText = MixedText();
    CountingKeySink sink;
    for (auto _ : state) {
        TypeText(&sink, strText.c_str(), 0, fUnicode);
    }
    delete gpKeyTranslatorMap;
    gpKeyTranslatorMap = NULL;
    state.SetItemsProcessed((int64_t)sink.m_nEvents);
    state.counters["events_per_text"] =
        benchmark::Counter((double)sink.m_nEvents / (double)state.iterations());
    state.SetLabel(std::string(0 == nLayout ? "US" : (1 == nLayout ? "Swedish" : "Belgian")) +
                   (TRUE == fUnicode ? " unicode" : " rdp"));
}

BENCHMARK(BM_TypeText)
    ->ArgsProduct({ { LAYOUT_US, LAYOUT_SWEDISH, LAYOUT_BELGIAN }, { TRUE, FALSE } })
    ->ArgNames({ "layout", "unicode" });

}  // namespace

BENCHMARK_MAIN();
