#include "common/HostSettings.h"

void EnterHostDefaults(Settings* pSettings)
{
    pSettings->Set(L"Prefix", L"");
    pSettings->Set(L"Suffix", L"<cr>");
    pSettings->Set(L"KeyboardLayout", L"US");
    pSettings->Set(L"InterKeyDelay", L"1");
}
