#include "support/gl_counters.h"

#include <GL/freeglut.h>
#include <GL/glu.h>

GlCounters glCounters;

namespace {

DrawMode drawMode = DrawMode::Forward;
std::vector<DrawCall> calls;
std::vector<DrawCall> colourCalls;
std::vector<TextLine> textLines;
bool forwardRedisplay = false;

// Records a call in `log` when logging; says whether the real call should
// run.
bool record(const char* kind, std::vector<double> args, std::vector<DrawCall>& log = calls) {
    if (drawMode == DrawMode::Forward) return true;
    DrawCall call;
    call.kind = kind;
    call.args = std::move(args);
    glGetDoublev(GL_MODELVIEW_MATRIX, call.modelview.data());
    glGetFloatv(GL_CURRENT_COLOR, call.colour.data());
    log.push_back(std::move(call));
    return drawMode == DrawMode::Record;
}

}  // namespace

void startDrawLog(DrawMode mode) {
    drawMode = mode;
    calls.clear();
    colourCalls.clear();
    textLines.clear();
}

void stopDrawLog() { drawMode = DrawMode::Forward; }

const std::vector<DrawCall>& drawLog() { return calls; }

const std::vector<DrawCall>& colourLog() { return colourCalls; }

const std::vector<TextLine>& textLog() { return textLines; }

std::vector<DrawCall> callsOf(const std::string& kind) {
    std::vector<DrawCall> out;
    for (const DrawCall& c : calls)
        if (c.kind == kind) out.push_back(c);
    return out;
}

std::vector<DrawCall> callsOf(const std::string& kind, double arg0) {
    std::vector<DrawCall> out;
    for (const DrawCall& c : callsOf(kind))
        if (!c.args.empty() && c.args[0] == arg0) out.push_back(c);
    return out;
}

void resetGlCounters() { glCounters = GlCounters{}; }

void setForwardRedisplay(bool forward) { forwardRedisplay = forward; }


extern "C" {
void __real_glutSwapBuffers();
void __real_glutPostRedisplay();
GLUquadric* __real_gluNewQuadric();
void __real_gluDeleteQuadric(GLUquadric*);
void __real_glutSolidSphere(double, GLint, GLint);
void __real_glutWireSphere(double, GLint, GLint);
void __real_glutSolidCone(double, double, GLint, GLint);
void __real_glutWireCone(double, double, GLint, GLint);
void __real_glutSolidCube(double);
void __real_glutWireCube(double);
void __real_gluCylinder(GLUquadric*, GLdouble, GLdouble, GLdouble, GLint, GLint);
void __real__Z17applyManualMotionv();
void __real_glColor3f(GLfloat, GLfloat, GLfloat);
void __real_glRasterPos3f(GLfloat, GLfloat, GLfloat);
void __real_glutBitmapCharacter(void*, int);

void __wrap_glutSwapBuffers() {
    ++glCounters.swaps;
    __real_glutSwapBuffers();
}
void __wrap_glutPostRedisplay() {
    ++glCounters.redisplays;
    if (forwardRedisplay) __real_glutPostRedisplay();
}
GLUquadric* __wrap_gluNewQuadric() {
    ++glCounters.quadricsMade;
    return __real_gluNewQuadric();
}
void __wrap_gluDeleteQuadric(GLUquadric* q) {
    ++glCounters.quadricsFreed;
    __real_gluDeleteQuadric(q);
}
void __wrap_glutSolidSphere(double r, GLint slices, GLint stacks) {
    if (record("glutSolidSphere", {r, double(slices), double(stacks)}))
        __real_glutSolidSphere(r, slices, stacks);
}
void __wrap_glutWireSphere(double r, GLint slices, GLint stacks) {
    if (record("glutWireSphere", {r, double(slices), double(stacks)}))
        __real_glutWireSphere(r, slices, stacks);
}
void __wrap_glutSolidCone(double base, double height, GLint slices, GLint stacks) {
    if (record("glutSolidCone", {base, height, double(slices), double(stacks)}))
        __real_glutSolidCone(base, height, slices, stacks);
}
void __wrap_glutWireCone(double base, double height, GLint slices, GLint stacks) {
    if (record("glutWireCone", {base, height, double(slices), double(stacks)}))
        __real_glutWireCone(base, height, slices, stacks);
}
void __wrap_glutSolidCube(double size) {
    if (record("glutSolidCube", {size})) __real_glutSolidCube(size);
}
void __wrap_glutWireCube(double size) {
    if (record("glutWireCube", {size})) __real_glutWireCube(size);
}
void __wrap_gluCylinder(GLUquadric* q, GLdouble base, GLdouble top, GLdouble height, GLint slices,
                        GLint stacks) {
    if (record("gluCylinder", {base, top, height, double(slices), double(stacks)}))
        __real_gluCylinder(q, base, top, height, slices, stacks);
}
void __wrap_glColor3f(GLfloat r, GLfloat g, GLfloat b) {
    record("glColor3f", {r, g, b}, colourCalls);
    __real_glColor3f(r, g, b);  // always: later calls are judged by the colour
}
void __wrap_glRasterPos3f(GLfloat x, GLfloat y, GLfloat z) {
    if (drawMode != DrawMode::Forward) textLines.push_back({{x, y, z}, nullptr, ""});
    __real_glRasterPos3f(x, y, z);
}
void __wrap_glutBitmapCharacter(void* font, int character) {
    if (drawMode != DrawMode::Forward && !textLines.empty()) {
        TextLine& line = textLines.back();
        line.font = line.text.empty() || line.font == font ? font : nullptr;
        line.text.push_back(static_cast<char>(character));
    }
    __real_glutBitmapCharacter(font, character);
}
void __wrap__Z17applyManualMotionv() {
    record("applyManualMotion", {});
    __real__Z17applyManualMotionv();
}
}
