// The link-time wrappers that record the program's calls: a program linked
// with -Wl,--wrap=NAME for each entry of call_list.h (the browser build and
// universe-snapshot are) calls __wrap_NAME, which records the call when it
// is the program's own and a list is wanted, then calls the real NAME.
// Calls that GLU and GLUT make inside are nested (CallScope) and so not
// recorded; on the desktop they stay inside the system's libraries anyway.
// Each wrapper is weak, so that a tool's own seam for a call (the buffer
// swap's capture, tools/swap_capture.cpp) takes its place.
#include <GL/freeglut.h>

#include "web/calls/call_recorder.h"

#define UNIVERSE_CALL_WRAPPER(name, result, n, kinds)                                              \
    extern "C" UNIVERSE_CALL_TYPE_##result UNIVERSE_CALL_CAT(__real_, name)(                       \
        UNIVERSE_CALL_PARAMS(n, kinds));                                                           \
    extern "C" __attribute__((weak)) UNIVERSE_CALL_TYPE_##result UNIVERSE_CALL_CAT(__wrap_, name)( \
        UNIVERSE_CALL_PARAMS(n, kinds)) {                                                          \
        const calls::CallScope scope;                                                              \
        if (scope.recording()) calls::record_##name(UNIVERSE_CALL_ARGS(n, kinds));                 \
        return UNIVERSE_CALL_CAT(__real_, name)(UNIVERSE_CALL_ARGS(n, kinds));                     \
    }
UNIVERSE_CALLS(UNIVERSE_CALL_WRAPPER)
