#include "keyboard/KeyRecorder.h"

// Without Windows there is nothing to type into: the process's sink records.
KeySink* GetPlatformKeySink()
{
    static RecordingKeySink s_sink;
    return &s_sink;
}
