#include "script/ScriptPlatform.h"

#include <errno.h>
#include <time.h>

void SleepMilliseconds(DWORD nMilliseconds)
{
    struct timespec tsLeft;
    tsLeft.tv_sec = (time_t)(nMilliseconds / 1000);
    tsLeft.tv_nsec = (long)(nMilliseconds % 1000) * 1000000L;
    while (0 != nanosleep(&tsLeft, &tsLeft) && EINTR == errno) {
    }
}

uint64_t ReadMicroseconds()
{
    struct timespec ts;
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return (uint64_t)ts.tv_sec * 1000000u + (uint64_t)ts.tv_nsec / 1000u;
}
