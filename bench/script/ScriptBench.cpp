// What the host adds to every scan before the keys leave: the UTF-16 record
// made 8-bit, "process" run, the result typed into a sink that only counts.
// Each benchmark is repeated; read the median.
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

// A typical GS1-128 label: GTIN, net weight, best-before date, batch, serial,
// as a module sends it (UTF-16 with its terminator).
const std::u16string gstrLabel =
    u"0109501101530003" u"3103001250" u"15260131" u"10ABC123\x1d" u"21SERIAL42";

BOOL TypeIntoCounter(void* pvContext, const char* pszText, DWORD nInterKeyDelay, BOOL fUnicode)
{
    return TypeText((CountingKeySink*)pvContext, pszText, nInterKeyDelay, fUnicode);
}

// The host's interpreter set-up, with the script from memory instead of a file.
lua_State* StartScript(const char* pszScript)
{
    gpLuaState = luaL_newstate();
    luaL_openlibs(gpLuaState);
    RegisterFunctions(gpLuaState, SCRIPT_TABLE_NAME);
    if (0 != luaL_loadbuffer(gpLuaState, pszScript, strlen(pszScript), "script.lua")
        || 0 != lua_pcall(gpLuaState, 0, 0, 0)) {
        return NULL;
    }
    return gpLuaState;
}

void BM_NarrowScanText(benchmark::State& state)
{
    DWORD cbData = (DWORD)((gstrLabel.size() + 1) * sizeof(char16_t));
    for (auto _ : state) {
        char* psz = NarrowScanText(gstrLabel.c_str(), cbData);
        benchmark::DoNotOptimize(psz);
        delete[] psz;
    }
}

void RunProcessScan(benchmark::State& state, const char* pszScript)
{
    if (NULL == StartScript(pszScript)) {
        state.SkipWithError("the script did not start");
        CloseScript();
        return;
    }
    gpKeyTranslatorMap = new KeyTranslatorMap(LAYOUT_US);
    CountingKeySink sink;
    {
        ScanProcessor processor(gpLuaState, 0, TRUE);
        processor.SetTypeProc(TypeIntoCounter, &sink);
        DWORD cbData = (DWORD)((gstrLabel.size() + 1) * sizeof(char16_t));
        // What the host hands over for a typical window, which process gets
        // as its second argument.
        ScanTarget target;
        target.strApp = "notepad.exe";
        target.strTitle = "Untitled - Notepad";
        target.strClass = "Notepad";
        for (auto _ : state) {
            processor.ProcessScan(gstrLabel.c_str(), cbData, &target);
        }
    }
    state.counters["events_per_scan"] =
        benchmark::Counter((double)sink.m_nEvents / (double)state.iterations());
    delete gpKeyTranslatorMap;
    gpKeyTranslatorMap = NULL;
    CloseScript();
}

// The floor: a script that returns the scan unchanged.
void BM_ProcessScanEcho(benchmark::State& state)
{
    RunProcessScan(state, "function process(s) return s end\n");
}

// The shipped example script: ean128 splits the label, Tab after each field, Enter.
void BM_ProcessScanExample(benchmark::State& state)
{
    RunProcessScan(state, gszExampleScript);
}

BENCHMARK(BM_NarrowScanText);
BENCHMARK(BM_ProcessScanEcho);
BENCHMARK(BM_ProcessScanExample);

}  // namespace

BENCHMARK_MAIN();
