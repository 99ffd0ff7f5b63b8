// The names of the BHT module's settings in "Dravet.txt", and their defaults.
#pragma once

#define DRAVET_SETTINGS_FILE L"Dravet.txt"

#define DRAVET_BEEPER_VIBRATOR_MODE L"BeeperVibratorMode"
#define DRAVET_BEEP_TIME L"BeepTime"
#define DRAVET_BEEP_FREQUENCY L"BeepFrequency"
#define DRAVET_START_RADIO L"StartRadio"

#define DRAVET_DEFAULT_BEEPER_VIBRATOR_MODE L"Beeper"
#define DRAVET_DEFAULT_BEEP_TIME L"100"
#define DRAVET_DEFAULT_BEEP_FREQUENCY L"2793"
#define DRAVET_DEFAULT_START_RADIO L"false"
