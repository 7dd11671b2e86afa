// The modelview, projection and texture stacks, and what vertex processing
// derives from the first two.
#ifndef UNIVERSE_WEB_GL_MATRIX_STACKS_H
#define UNIVERSE_WEB_GL_MATRIX_STACKS_H

#include "web/gl/gl_matrix_math.h"

namespace glcore {

const Matrix& modelviewMatrix();
const Matrix& projectionMatrix();
// projection * modelview, which takes object coordinates to clip coordinates.
const Matrix& modelviewProjectionMatrix();
// Rows of the modelview's inverse transpose (upper 3x3), for normals.
const float (&normalTransform())[3][3];

}  // namespace glcore

#endif
