// The entry point: the arguments in UTF-8, the standard streams.
#include <string>
#include <vector>

#include "common/AnsiText.h"
#include "tools/tolvexcli/TolvexCli.h"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <windows.h>

int wmain(int argc, wchar_t** argv)
{
    // Scans are bytes: a text-mode stdin would end at a ^Z byte and drop CRs.
    _setmode(_fileno(stdin), _O_BINARY);
    std::vector<std::string> rgArgs;
    for (int i = 1; i < argc; i++) {
        rgArgs.push_back(NarrowUtf8(argv[i]));
    }
    return RunTolvexCli(rgArgs, stdin, stdout, stderr);
}
#else
int main(int argc, char** argv)
{
    std::vector<std::string> rgArgs(argv + 1, argv + argc);
    return RunTolvexCli(rgArgs, stdin, stdout, stderr);
}
#endif
