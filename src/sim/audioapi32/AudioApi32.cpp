// AUDIOAPI32.dll: the stand-in for the terminal's audio library. It plays
// the file its request names through the Windows sound API, without waiting,
// so that a person trying the module hears the good-read sound.
//
// A file that does not exist plays nothing and fails the call.
//
// Conditions it reads:
//   sound=off               log the request but play nothing
//   refuse=AUDIO_PlayBeeper the call fails without playing
#include "vendor/AudioApi.h"

#include <mmsystem.h>

#include <string.h>

#include "sim/SimTerminal.h"

#define SIM_AUDIO_REFUSED 0xA0000101
#define SIM_AUDIO_NOT_PLAYED 0xA0000102
#define SIM_AUDIO_NO_FILE 0xA0000103

DWORD WINAPI AUDIO_PlayBeeper(AUDIO_BEEPER_REQUEST* pRequest)
{
    SimGuard guard;
    if (NULL == pRequest) {
        SimLog("AUDIO_PlayBeeper request=null result=0x%lx", (unsigned long)SIM_AUDIO_NOT_PLAYED);
        return SIM_AUDIO_NOT_PLAYED;
    }
    // The request's path need not be terminated: play at most its field.
    WCHAR szFile[AUDIO_SOUND_FILE_LENGTH];
    memcpy(szFile, pRequest->szSoundFile, sizeof(szFile));
    szFile[AUDIO_SOUND_FILE_LENGTH - 1] = L'\0';

    DWORD dwStatus = 0;
    int fPlayed = 0;
    if (SimRefuses("AUDIO_PlayBeeper")) {
        dwStatus = SIM_AUDIO_REFUSED;
    } else if (INVALID_FILE_ATTRIBUTES == GetFileAttributesW(szFile)) {
        dwStatus = SIM_AUDIO_NO_FILE;
    } else {
        const char* pszSound = SimGetConditions().Get("sound");
        if (NULL == pszSound || 0 != strcmp(pszSound, "off")) {
            fPlayed = PlaySoundW(szFile, NULL, SND_FILENAME | SND_ASYNC | SND_NODEFAULT) ? 1 : 0;
            if (0 == fPlayed) {
                dwStatus = SIM_AUDIO_NOT_PLAYED;
            }
        }
    }
    SimLog("AUDIO_PlayBeeper file=%s volume=%lu flags=%lu played=%d result=0x%lx",
           QuoteWide(szFile).c_str(), (unsigned long)pRequest->dwVolume,
           (unsigned long)pRequest->dwFlags, fPlayed, (unsigned long)dwStatus);
    return dwStatus;
}
