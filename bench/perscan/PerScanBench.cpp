// The host's work on one scan, step by step: the example script's "process"
// on a typical GS1-128 label (ean128 splitting it), and the typing of its
// result into a sink that only counts, in Unicode and in RDP mode. The
// conversion of the UTF-16 record and the whole step are in bench_script.
#include <string.h>

#include <benchmark/benchmark.h>

#include <string>

#include "ExampleScript.inc"
#include "keyboard/KeyTranslator.h"
#include "keyboard/TypeText.h"
#include "script/LuaApi.h"
#include "script/ScanProcessor.h"
#include "script/ScriptHost.h"
#include "CountingKeySink.h"

namespace {

// GTIN, net weight, best-before date, batch, serial: the label of
// bench_script and of the latency figures under Wine, as 8-bit text.
const char gszLabel[] = "0109501101530003" "3103001250" "15260131" "10ABC123\x1d" "21SERIAL42";

void ReportScriptError(void*, const WCHAR*) {}

// The host's interpreter set-up, with the script from memory instead of a file.
BOOL StartExampleScript()
{
    gpLuaState = luaL_newstate();
    luaL_openlibs(gpLuaState);
    RegisterFunctions(gpLuaState, SCRIPT_TABLE_NAME);
    return (0 == luaL_loadbuffer(gpLuaState, gszExampleScript, strlen(gszExampleScript), "script.lua") &&
            0 == lua_pcall(gpLuaState, 0, 0, 0))
               ? TRUE
               : FALSE;
}

// What the example script makes of the label; empty when it fails.
std::string ExampleResult()
{
    std::string strResult;
    if (TRUE == StartExampleScript()) {
        ScanProcessor processor(gpLuaState, 0, TRUE);
        processor.SetErrorProc(ReportScriptError, NULL);
        if (TRUE == processor.RunProcessFunction(gszLabel)) {
            strResult = processor.GetProcessedData();
        }
    }
    CloseScript();
    return strResult;
}

void BM_ProcessExample(benchmark::State& state)
{
    if (TRUE != StartExampleScript()) {
        state.SkipWithError("the example script did not start");
        CloseScript();
        return;
    }
    {
        ScanProcessor processor(gpLuaState, 0, TRUE);
        processor.SetErrorProc(ReportScriptError, NULL);
        for (auto _ : state) {
            if (TRUE != processor.RunProcessFunction(gszLabel)) {
                state.SkipWithError("process failed on the label");
                break;
            }
            benchmark::DoNotOptimize(processor.GetProcessedData());
        }
        // The interpreter's stack is where it was before the first scan.
        if (0 != lua_gettop(gpLuaState)) {
            state.SkipWithError("process left values on the stack");
        }
    }
    CloseScript();
}

void BM_TypeExampleResult(benchmark::State& state)
{
    const BOOL fUnicode = (BOOL)state.range(0);
    const std::string strResult = ExampleResult();
    if (strResult.empty()) {
        state.SkipWithError("the example script gave no result");
        return;
    }
    gpKeyTranslatorMap = new KeyTranslatorMap(LAYOUT_US);
    CountingKeySink sink;
    for (auto _ : state) {
        TypeText(&sink, strResult.c_str(), 0, fUnicode);
    }
    delete gpKeyTranslatorMap;
    gpKeyTranslatorMap = NULL;
    double dIterations = (double)state.iterations();
    state.counters["events_per_scan"] = benchmark::Counter((double)sink.m_nEvents / dIterations);
    state.counters["pauses_per_scan"] = benchmark::Counter((double)sink.m_nPauses / dIterations);
    state.SetLabel(TRUE == fUnicode ? "US unicode" : "US rdp");
}

BENCHMARK(BM_ProcessExample);
BENCHMARK(BM_TypeExampleResult)->Arg(TRUE)->Arg(FALSE)->ArgName("unicode");

}  // namespace

BENCHMARK_MAIN();
