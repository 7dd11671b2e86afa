// 4x4 float matrices in GL's column-major layout, with the arithmetic done
// the way Mesa does it (single precision, same operation order), so that the
// transformed vertices land where the desktop puts them.
#ifndef UNIVERSE_WEB_GL_MATRIX_MATH_H
#define UNIVERSE_WEB_GL_MATRIX_MATH_H

namespace glcore {

struct Matrix {
    float m[16];  // m[column * 4 + row]
};

Matrix identityMatrix();
// a * b
Matrix multiplyMatrices(const Matrix& a, const Matrix& b);
void rotateMatrix(Matrix& matrix, float angleDegrees, float x, float y, float z);
void translateMatrix(Matrix& matrix, float x, float y, float z);
void scaleMatrix(Matrix& matrix, float x, float y, float z);
Matrix orthoMatrix(float left, float right, float bottom, float top, float nearVal, float farVal);
Matrix frustumMatrix(float left, float right, float bottom, float top, float nearVal,
                     float farVal);

// The inverse transpose of the upper-left 3x3 block, for normals; identity
// when the block is singular.
void normalMatrix(const Matrix& matrix, float out[3][3]);

// matrix * (x, y, z, w)
void transformPoint(const Matrix& matrix, const float in[4], float out[4]);

}  // namespace glcore

#endif
