// Scans parsed per second, one parser per scan as the script function uses it.
#include <benchmark/benchmark.h>

#include "gs1/EAN128.h"

namespace {

// GTIN, net weight in kg with 3 decimals, best-before date, batch, serial.
const char* const TYPICAL_LABEL =
    "01" "09501101020917" "3103" "001234" "15" "261231" "10" "BATCH42" "\x1d" "21" "SN0001234";

void ParseTypicalLabel(benchmark::State& state)
{
    for (auto _ : state) {
        EAN128 parser;
        parser.m_fStrict = true;
        BOOL fParsed = parser.Parse(TYPICAL_LABEL);
        benchmark::DoNotOptimize(fParsed);
        benchmark::DoNotOptimize(parser.GetFieldData(parser.GetFieldCount() - 1));
        if (TRUE != fParsed || 5 != parser.GetFieldCount()) {
            state.SkipWithError("the typical label did not parse into 5 fields");
            break;
        }
    }
    state.SetItemsProcessed(state.iterations());
    state.SetLabel("scans");
}
BENCHMARK(ParseTypicalLabel);

} // namespace

BENCHMARK_MAIN();
