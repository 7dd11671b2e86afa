// Counters and a call log fed by link-time wrappers around GLUT and GLU
// entry points (see tests/CMakeLists.txt), so tests can see what a frame did
// without changing the program.
#pragma once

#include <array>
#include <string>
#include <vector>

struct GlCounters {
    int swaps = 0;          // glutSwapBuffers calls
    int redisplays = 0;     // glutPostRedisplay calls
    int quadricsMade = 0;   // gluNewQuadric calls
    int quadricsFreed = 0;  // gluDeleteQuadric calls
};

extern GlCounters glCounters;

// One recorded drawing call: what it was, its numeric arguments, and the
// model-view matrix and colour current when it was made.
struct DrawCall {
    std::string kind;  // e.g. "glutSolidSphere", "gluCylinder", "applyManualMotion"
    std::vector<double> args;
    std::array<double, 16> modelview;
    std::array<float, 4> colour;
};

enum class DrawMode {
    Forward,    // draw only (the default)
    Record,     // record each call and draw it
    RecordOnly  // record each call and skip the drawing: fast geometry checks
};

// Sets how wrapped drawing calls behave and clears the log.
void startDrawLog(DrawMode mode);
void stopDrawLog();
const std::vector<DrawCall>& drawLog();
// The glColor3f calls made while logging, kept apart from the drawing calls:
// each with its colour as args and the model-view matrix when it was set.
const std::vector<DrawCall>& colourLog();

// One line of bitmap text drawn while logging: each glRasterPos3f starts a
// line, each glutBitmapCharacter adds its character.
struct TextLine {
    std::array<float, 3> at;
    void* font = nullptr;  // the font of every character; nullptr when they differ
    std::string text;
};
const std::vector<TextLine>& textLog();

// The calls of one kind, in order; with `arg0` given, only those whose
// first argument equals it.
std::vector<DrawCall> callsOf(const std::string& kind);
std::vector<DrawCall> callsOf(const std::string& kind, double arg0);

// Forgets every count.
void resetGlCounters();

// Whether glutPostRedisplay is forwarded to GLUT (only valid with a window).
void setForwardRedisplay(bool forward);
