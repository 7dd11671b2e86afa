// A frame's calls, recorded compactly (each call's operation and its
// arguments' words) while a list is wanted, and written out as text only
// when asked. The calls come from the wrappers made from call_list.h
// (call_wrappers.cpp), which record only the program's own calls: a call
// that GLU or GLUT makes inside one of them is not listed.
//
// The text (callsText), one call a line, lines joined by "\n":
//   NUMBER SPACE INDENT CALL
// NUMBER counts the calls from 1; INDENT is two spaces per level, the
// level being the matrix stack's depth (glPushMatrix's line stands at the
// outer level, the calls after it one deeper, glPopMatrix's line back at
// the outer level, never below 0) plus one inside glBegin/glEnd (glBegin
// and glEnd at the outer level); CALL is the call as C without its
// semicolon, its arguments as call_list.h says. For example:
//   12 glPushMatrix()
//   13   glRotatef(45, 0, 1, 0)
//   14   glBegin(GL_TRIANGLES)
//   15     glVertex3i(25, 150, 25)
// Latin-1 characters are written as UTF-8.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "web/calls/call_list.h"

namespace calls {

// One number per entry of call_list.h: glRotatef is Op::glRotatefCall.
enum class Op : uint16_t {
#define UNIVERSE_CALL_ENUM(name, result, n, kinds) name##Call,
    UNIVERSE_CALLS(UNIVERSE_CALL_ENUM)
#undef UNIVERSE_CALL_ENUM
};

struct CallFrame {
    std::vector<uint32_t> words;  // per call: its Op, then its arguments
    int count = 0;
    void clear() {
        words.clear();
        count = 0;
    }
};

// Records the program's calls into `frame` (cleared first) from now on;
// nullptr stops recording.
void recordCalls(CallFrame* frame);

// The nesting guard: each wrapper holds one while its call runs, so that
// only the outermost call of a nest, the program's own, is recorded.
class CallScope {
public:
    CallScope() { ++depth; }
    ~CallScope() { --depth; }
    CallScope(const CallScope&) = delete;
    CallScope& operator=(const CallScope&) = delete;
    // Whether this call is the program's and a list is being recorded.
    bool recording() const { return depth == 1 && frame != nullptr; }

    static inline int depth = 0;
    static inline CallFrame* frame = nullptr;
};

// record_glRotatef(angle, x, y, z) and so on: appends the call to the
// frame being recorded.
#define UNIVERSE_CALL_RECORD(name, result, n, kinds) \
    void record_##name(UNIVERSE_CALL_PARAMS(n, kinds));
UNIVERSE_CALLS(UNIVERSE_CALL_RECORD)
#undef UNIVERSE_CALL_RECORD

// The whole list as text (above).
std::string callsText(const CallFrame& frame);

// Reads a frame's calls back, in order, for replay (call_replay.h).
struct Floats {
    int count = 0;
    float v[16] = {};
};
struct Doubles {
    double v[16] = {};
};
class CallReader {
public:
    explicit CallReader(const CallFrame& frame) : words_(frame.words) {}
    bool done() const { return at_ >= words_.size(); }
    Op op() { return static_cast<Op>(words_[at_++]); }
    unsigned readEnum() { return words_[at_++]; }
    unsigned readMode() { return readEnum(); }
    unsigned readMask() { return readEnum(); }
    int readInt() { return static_cast<int>(readEnum()); }
    int readChar() { return readInt(); }
    float readFloat();
    double readDouble();
    Floats readParams();
    Floats readMatrix();
    Doubles readMatrixD();
    void* readFont();
    GLUquadric* readQuadric() { return nullptr; }

private:
    const std::vector<uint32_t>& words_;
    size_t at_ = 0;
};

}  // namespace calls
