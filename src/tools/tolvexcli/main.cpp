// The entry point: the arguments in UTF-8, the standard streams.
#include <string>
#include <vector>

#include "common/AnsiText.h"
#include "tools/tolvexcli/TolvexCli.h"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include "common/Folders.h"

// The host's own lookup: the registry's "Folder", else the program folder,
// here the folder of tolvexcli.exe.
static BOOL FindHostInstallFolder(std::wstring* pstrFolder)
{
    if (TRUE != FindInstallFolder(GetModuleHandleW(NULL))) {
        return FALSE;
    }
    *pstrFolder = GetInstallFolder();
    return TRUE;
}

int wmain(int argc, wchar_t** argv)
{
    // Scans are bytes: a text-mode stdin would end at a ^Z byte and drop CRs.
    _setmode(_fileno(stdin), _O_BINARY);
    std::vector<std::string> rgArgs;
    for (int i = 1; i < argc; i++) {
        rgArgs.push_back(NarrowUtf8(argv[i]));
    }
    return RunTolvexCli(rgArgs, stdin, stdout, stderr, FindHostInstallFolder);
}
#else
int main(int argc, char** argv)
{
    // No installation natively: run uses the current folder unless told.
    std::vector<std::string> rgArgs(argv + 1, argv + argc);
    return RunTolvexCli(rgArgs, stdin, stdout, stderr, NULL);
}
#endif
