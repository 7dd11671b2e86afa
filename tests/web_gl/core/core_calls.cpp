// The web GL core's entry points as a GLCalls table. Compiled like the core
// itself: against web/include, with every gl*, glu* and glut* name renamed
// (web_gl_names.h, forced in by tests/CMakeLists.txt), so that the core and
// the system's libGL live in one program.
#include <GL/freeglut.h>

#include "web/calls/call_replay.h"
#include "web_gl/gl_calls.h"

const GLCalls& webCoreCalls() {
    static const GLCalls calls = {WEB_GL_TEST_CALLS};
    return calls;
}

// The core here has no fonts and no window.
void glutBitmapCharacter(void*, int) {}
void glutSwapBuffers() {}

void replayInCore(const calls::CallFrame& frame, int last) { replayCalls(frame, last); }
