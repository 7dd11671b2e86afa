// glMatrixMode, the stacks and the matrix operations. Double arguments are
// converted to float first, as Mesa does.
#include "web/gl/gl_matrix_stacks.h"

#include <GL/gl.h>

#include "web/gl/gl_context.h"

namespace glcore {
namespace {

MatrixStack& currentStack() {
    Matrices& m = context().matrices;
    switch (m.mode) {
        case GL_PROJECTION: return m.projection;
        case GL_TEXTURE: return m.texture;
        default: return m.modelview;
    }
}

Matrix& currentMatrix() {
    MatrixStack& stack = currentStack();
    context().matrices.derivedValid = false;
    return stack.entries[stack.depth - 1];
}

// The current matrix times `factor`, as glMultMatrix and its kin do.
void multiplyCurrent(const Matrix& factor) {
    Matrix& t = currentMatrix();
    t = multiplyMatrices(t, factor);
}

void updateDerived() {
    Matrices& m = context().matrices;
    if (m.derivedValid) return;
    m.modelviewProjection = multiplyMatrices(projectionMatrix(), modelviewMatrix());
    normalMatrix(modelviewMatrix(), m.normal);
    m.derivedValid = true;
}

}  // namespace

const Matrix& modelviewMatrix() {
    const MatrixStack& stack = context().matrices.modelview;
    return stack.entries[stack.depth - 1];
}

const Matrix& projectionMatrix() {
    const MatrixStack& stack = context().matrices.projection;
    return stack.entries[stack.depth - 1];
}

const Matrix& modelviewProjectionMatrix() {
    updateDerived();
    return context().matrices.modelviewProjection;
}

const float (&normalTransform())[3][3] {
    updateDerived();
    return context().matrices.normal;
}

}  // namespace glcore

using namespace glcore;

extern "C" {

void glMatrixMode(GLenum mode) {
    if (mode != GL_MODELVIEW && mode != GL_PROJECTION && mode != GL_TEXTURE) {
        recordError(GL_INVALID_ENUM);
        return;
    }
    context().matrices.mode = mode;
}

void glPushMatrix(void) {
    MatrixStack& stack = currentStack();
    if (stack.depth >= stack.maxDepth) {
        recordError(GL_STACK_OVERFLOW);
        return;
    }
    stack.entries[stack.depth] = stack.entries[stack.depth - 1];
    stack.depth++;
}

void glPopMatrix(void) {
    MatrixStack& stack = currentStack();
    if (stack.depth <= 1) {
        recordError(GL_STACK_UNDERFLOW);
        return;
    }
    stack.depth--;
    context().matrices.derivedValid = false;
}

void glLoadIdentity(void) { currentMatrix() = identityMatrix(); }

void glLoadMatrixf(const GLfloat* m) {
    Matrix& t = currentMatrix();
    for (int i = 0; i < 16; i++) t.m[i] = m[i];
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

void glOrtho(GLdouble left, GLdouble right, GLdouble bottom, GLdouble top, GLdouble nearVal,
             GLdouble farVal) {
    multiplyCurrent(orthoMatrix(static_cast<float>(left), static_cast<float>(right),
                                static_cast<float>(bottom), static_cast<float>(top),
                                static_cast<float>(nearVal), static_cast<float>(farVal)));
}

}  // extern "C"
