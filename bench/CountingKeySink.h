// The typing sink of the benchmarks: it counts what TypeText would send and
// makes no call, so that a figure is the cost of producing the events.
#pragma once

#include <stdint.h>

#include "keyboard/TypeText.h"

class CountingKeySink : public KeySink
{
public:
    BOOL sendInput(const KeyInput&) override
    {
        m_nEvents++;
        return TRUE;
    }
    void sleep(DWORD) override { m_nPauses++; }
    BOOL isCapsLockOn() override { return FALSE; }
    void beginTimerPeriod() override {}
    void endTimerPeriod() override {}
    void errorSound() override {}

    uint64_t m_nEvents = 0;
    uint64_t m_nPauses = 0;
};
