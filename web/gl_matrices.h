// The modelview and projection stacks, and what vertex processing derives
// from them (cached until either changes).
#ifndef UNIVERSE_WEB_GL_MATRICES_H
#define UNIVERSE_WEB_GL_MATRICES_H

#include <GL/gl.h>

#include "gl_matrix.h"

const Matrix& modelviewMatrix();
const Matrix& projectionMatrix();
// projection * modelview, which takes object coordinates to clip coordinates.
const Matrix& modelviewProjectionMatrix();
// Rows of the modelview's inverse transpose (upper 3x3), for normals.
const float (&normalTransform())[3][3];

// For glGet.
GLenum currentMatrixMode();
int modelviewStackDepth();
int projectionStackDepth();

#endif
