// Replays a recorded frame's first calls through the GL, GLU and GLUT of
// the file that includes this header (after <GL/freeglut.h>): the browser's
// GL core for a cut frame, or the system's GL in a test. A header of
// file-local code, so that each includer's names are its own. The quadric
// calls use one quadric of the replay's own; gluNewQuadric,
// gluDeleteQuadric and glutSwapBuffers are skipped (the caller presents
// the picture).
#pragma once

#include "web/calls/call_recorder.h"

namespace {

// Replays the calls numbered 1 to `last` of `frame` (all of them when
// `last` is past the end).
[[maybe_unused]] void replayCalls(const calls::CallFrame& frame, int last) {
    using calls::Op;
    static GLUquadric* const quadric = gluNewQuadric();
    calls::CallReader in(frame);
    for (int number = 1; number <= last && !in.done(); number++) {
        switch (in.op()) {
#define UNIVERSE_CALL_READ(i, kind) [[maybe_unused]] const auto a##i = in.read##kind();
#define UNIVERSE_CALL_PASS(i, kind) UNIVERSE_REPLAY_PASS_##kind(a##i)
#define UNIVERSE_REPLAY_PASS_Enum(a) a
#define UNIVERSE_REPLAY_PASS_Mode(a) a
#define UNIVERSE_REPLAY_PASS_Mask(a) a
#define UNIVERSE_REPLAY_PASS_Int(a) a
#define UNIVERSE_REPLAY_PASS_Char(a) a
#define UNIVERSE_REPLAY_PASS_Float(a) a
#define UNIVERSE_REPLAY_PASS_Double(a) a
#define UNIVERSE_REPLAY_PASS_Params(a) a.v
#define UNIVERSE_REPLAY_PASS_Matrix(a) a.v
#define UNIVERSE_REPLAY_PASS_MatrixD(a) a.v
#define UNIVERSE_REPLAY_PASS_Font(a) a
#define UNIVERSE_REPLAY_PASS_Quadric(a) quadric
#define UNIVERSE_CALL_REPLAY(name, result, n, kinds)                                     \
    case Op::name##Call: {                                                               \
        UNIVERSE_CALL_STATEMENTS(n, UNIVERSE_CALL_READ, kinds)                           \
        if (Op::name##Call != Op::gluNewQuadricCall &&                                   \
            Op::name##Call != Op::gluDeleteQuadricCall &&                                \
            Op::name##Call != Op::glutSwapBuffersCall)                                   \
            name(UNIVERSE_CALL_APPLY(UNIVERSE_CALL_LIST_##n,                             \
                                     (UNIVERSE_CALL_PASS, UNIVERSE_CALL_UNPACK kinds))); \
        break;                                                                           \
    }
            UNIVERSE_CALLS(UNIVERSE_CALL_REPLAY)
#undef UNIVERSE_CALL_REPLAY
#undef UNIVERSE_CALL_PASS
#undef UNIVERSE_CALL_READ
        }
    }
}

}  // namespace
