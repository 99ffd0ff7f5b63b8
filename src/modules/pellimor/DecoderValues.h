// The values that the decoder library DECODER and the Falcon back-end agree
// on, apart from the calls (Decoder.h), so that logic without windows can use
// them too.
#pragma once

// The number of device words DcdEnumDevices fills: word i describes the
// device "DCD<i + 1>:".
#define DCD_MAX_DEVICES 9
// A device is present when its word has one of these bits.
#define DCD_DEVICE_PRESENT_BITS 0x00000003

// The two scan triggers, and the trigger type that switches one off.
#define DCD_TRIGGER_1 0x00010000
#define DCD_TRIGGER_2 0x00020000
#define DCD_TRIGGER_OFF 0

// The read request left with the library: read a label as text, and post a
// message to a window each time one is ready.
#define DCD_REQUEST_READ_STRING 0x00000101
