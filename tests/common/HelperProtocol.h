// What the system tests and their helper programs agree on: the helpers'
// file names, their commands and their exit codes.
#pragma once

#define EVENTS_HELPER L"common_events_helper.exe"
#define BOX_HELPER L"common_box_helper.exe"

// common_events_helper HHHHHHHH COMMAND: opens (or creates) the stop events
// of the handle HHHHHHHH, as a module does, then:
//   signal  signals "stopped" and ends, as a module that stops on its own;
//   serve   waits for "stop", then signals "stopped", as a module asked to stop;
//   first   signals "stopped", then waits for "stop" (to be the first creator);
//   state   ends at once with EVENTS_STATE + 1 (stop signalled) + 2 (stopped signalled).
#define EVENTS_SIGNAL L"signal"
#define EVENTS_SERVE L"serve"
#define EVENTS_FIRST L"first"
#define EVENTS_STATE_COMMAND L"state"

#define EVENTS_OK 0
#define EVENTS_BAD_ARGUMENTS 10
#define EVENTS_CREATE_FAILED 11
#define EVENTS_WAIT_TIMED_OUT 12
#define EVENTS_STATE 20

// How long "serve" and "first" wait for the stop event.
#define EVENTS_SERVE_MS 20000

// common_box_helper COMMAND: each trips one fatal assertion, except
// BOX_SHOW_ERROR, which shows the error box and ends with its result.
#define BOX_TRIP L"trip"
#define BOX_EVENTS_NULL L"events-null"
#define BOX_EVENTS_TWICE L"events-twice"
#define BOX_REGISTRY_NULL L"registry-null"
#define BOX_REGISTRY_CLOSED L"registry-closed"
#define BOX_COPY_NULL L"copy-null"
#define BOX_NO_EXPRESSION L"no-expression"
#define BOX_NO_FILE L"no-file"
#define BOX_SHOW_ERROR L"show-error"

#define BOX_BAD_ARGUMENTS 10
