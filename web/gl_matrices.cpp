// glMatrixMode, the stacks and the matrix operations. Double arguments are
// converted to float first, as Mesa does.
#include <GL/gl.h>

#include "gl_matrices.h"

namespace {

constexpr int kModelviewDepth = 32;
constexpr int kProjectionDepth = 32;

struct MatrixStack {
    Matrix entries[kModelviewDepth > kProjectionDepth ? kModelviewDepth : kProjectionDepth];
    int depth;  // entries in use, at least 1
    int maxDepth;
};

MatrixStack modelviewStack{{identityMatrix()}, 1, kModelviewDepth};
MatrixStack projectionStack{{identityMatrix()}, 1, kProjectionDepth};
GLenum matrixMode = GL_MODELVIEW;

// Derived matrices, rebuilt on first use after a change.
bool derivedValid = false;
Matrix mvp;
float normals[3][3];

MatrixStack& currentStack() {
    return matrixMode == GL_PROJECTION ? projectionStack : modelviewStack;
}

Matrix& currentMatrix() {
    MatrixStack& stack = currentStack();
    derivedValid = false;
    return stack.entries[stack.depth - 1];
}

// The current matrix times `factor`, as glMultMatrix and its kin do.
void multiplyCurrent(const Matrix& factor) {
    Matrix& t = currentMatrix();
    t = multiplyMatrices(t, factor);
}

void updateDerived() {
    if (derivedValid) return;
    mvp = multiplyMatrices(projectionMatrix(), modelviewMatrix());
    normalMatrix(modelviewMatrix(), normals);
    derivedValid = true;
}

}  // namespace

const Matrix& modelviewMatrix() { return modelviewStack.entries[modelviewStack.depth - 1]; }
const Matrix& projectionMatrix() { return projectionStack.entries[projectionStack.depth - 1]; }

const Matrix& modelviewProjectionMatrix() {
    updateDerived();
    return mvp;
}

const float (&normalTransform())[3][3] {
    updateDerived();
    return normals;
}

GLenum currentMatrixMode() { return matrixMode; }
int modelviewStackDepth() { return modelviewStack.depth; }
int projectionStackDepth() { return projectionStack.depth; }

extern "C" {

void glMatrixMode(GLenum mode) {
    // The texture matrix is not kept; its calls act on the modelview.
    matrixMode = mode == GL_PROJECTION ? GL_PROJECTION : GL_MODELVIEW;
}

void glPushMatrix(void) {
    MatrixStack& stack = currentStack();
    if (stack.depth >= stack.maxDepth) return;  // GL_STACK_OVERFLOW
    stack.entries[stack.depth] = stack.entries[stack.depth - 1];
    stack.depth++;
}

void glPopMatrix(void) {
    MatrixStack& stack = currentStack();
    if (stack.depth <= 1) return;  // GL_STACK_UNDERFLOW
    stack.depth--;
    derivedValid = false;
}

void glLoadIdentity(void) { currentMatrix() = identityMatrix(); }

void glLoadMatrixf(const GLfloat* m) {
    Matrix& t = currentMatrix();
    for (int i = 0; i < 16; i++) t.m[i] = m[i];
}

void glLoadMatrixd(const GLdouble* m) {
    Matrix& t = currentMatrix();
    for (int i = 0; i < 16; i++) t.m[i] = static_cast<float>(m[i]);
}

void glMultMatrixf(const GLfloat* m) {
    Matrix factor;
    for (int i = 0; i < 16; i++) factor.m[i] = m[i];
    multiplyCurrent(factor);
}

void glMultMatrixd(const GLdouble* m) {
    Matrix factor;
    for (int i = 0; i < 16; i++) factor.m[i] = static_cast<float>(m[i]);
    multiplyCurrent(factor);
}

void glRotatef(GLfloat angle, GLfloat x, GLfloat y, GLfloat z) {
    rotateMatrix(currentMatrix(), angle, x, y, z);
}

void glRotated(GLdouble angle, GLdouble x, GLdouble y, GLdouble z) {
    glRotatef(static_cast<float>(angle), static_cast<float>(x), static_cast<float>(y),
              static_cast<float>(z));
}

void glTranslatef(GLfloat x, GLfloat y, GLfloat z) { translateMatrix(currentMatrix(), x, y, z); }

void glTranslated(GLdouble x, GLdouble y, GLdouble z) {
    glTranslatef(static_cast<float>(x), static_cast<float>(y), static_cast<float>(z));
}

void glScalef(GLfloat x, GLfloat y, GLfloat z) { scaleMatrix(currentMatrix(), x, y, z); }

void glScaled(GLdouble x, GLdouble y, GLdouble z) {
    glScalef(static_cast<float>(x), static_cast<float>(y), static_cast<float>(z));
}

void glOrtho(GLdouble left, GLdouble right, GLdouble bottom, GLdouble top,
             GLdouble nearVal, GLdouble farVal) {
    multiplyCurrent(orthoMatrix(static_cast<float>(left), static_cast<float>(right),
                                static_cast<float>(bottom), static_cast<float>(top),
                                static_cast<float>(nearVal), static_cast<float>(farVal)));
}

void glFrustum(GLdouble left, GLdouble right, GLdouble bottom, GLdouble top,
               GLdouble nearVal, GLdouble farVal) {
    multiplyCurrent(frustumMatrix(static_cast<float>(left), static_cast<float>(right),
                                  static_cast<float>(bottom), static_cast<float>(top),
                                  static_cast<float>(nearVal), static_cast<float>(farVal)));
}

}  // extern "C"
