// The call of the terminal's audio library AUDIOAPI32 that the Symbol module
// makes for its good-read sound.
#pragma once

#include <windows.h>

#define AUDIO_SOUND_FILE_LENGTH 260

// The request: the sound file to play and two 32-bit members, both 0 for a
// plain play of the file.
struct AUDIO_BEEPER_REQUEST
{
    WCHAR szSoundFile[AUDIO_SOUND_FILE_LENGTH];
    DWORD dwVolume;
    DWORD dwFlags;
};
static_assert(528 == sizeof(AUDIO_BEEPER_REQUEST), "path of 260 units and two words");

extern "C" {

// Plays the request's sound without waiting for it to end; 0 when it started.
DWORD WINAPI AUDIO_PlayBeeper(AUDIO_BEEPER_REQUEST* pRequest);

}  // extern "C"
