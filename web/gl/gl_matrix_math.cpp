#include "web/gl/gl_matrix_math.h"

#include <cmath>
#include <cstring>

namespace glcore {

Matrix identityMatrix() { return Matrix{{1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1}}; }

Matrix multiplyMatrices(const Matrix& a, const Matrix& b) {
    Matrix p;
    for (int i = 0; i < 4; i++) {
        const float ai0 = a.m[i], ai1 = a.m[4 + i], ai2 = a.m[8 + i], ai3 = a.m[12 + i];
        for (int j = 0; j < 4; j++) {
            const float* bj = &b.m[j * 4];
            p.m[j * 4 + i] = ai0 * bj[0] + ai1 * bj[1] + ai2 * bj[2] + ai3 * bj[3];
        }
    }
    return p;
}

void rotateMatrix(Matrix& matrix, float angleDegrees, float x, float y, float z) {
    // The angle is converted in double and the sine taken in float, as Mesa does.
    const double degreesToRadians = M_PI / 180.0;
    const float s = std::sin(static_cast<float>(angleDegrees * degreesToRadians));
    const float c = std::cos(static_cast<float>(angleDegrees * degreesToRadians));
    Matrix r = identityMatrix();
    float* m = r.m;
    auto at = [m](int row, int col) -> float& { return m[col * 4 + row]; };

    // Rotations about one axis are built directly, without normalising it.
    bool axisAligned = false;
    if (x == 0.0f) {
        if (y == 0.0f) {
            if (z != 0.0f) {
                axisAligned = true;
                at(0, 0) = c;
                at(1, 1) = c;
                at(0, 1) = z < 0.0f ? s : -s;
                at(1, 0) = z < 0.0f ? -s : s;
            }
        } else if (z == 0.0f) {
            axisAligned = true;
            at(0, 0) = c;
            at(2, 2) = c;
            at(0, 2) = y < 0.0f ? -s : s;
            at(2, 0) = y < 0.0f ? s : -s;
        }
    } else if (y == 0.0f && z == 0.0f) {
        axisAligned = true;
        at(1, 1) = c;
        at(2, 2) = c;
        at(1, 2) = x < 0.0f ? s : -s;
        at(2, 1) = x < 0.0f ? -s : s;
    }

    if (!axisAligned) {
        const float mag = std::sqrt(x * x + y * y + z * z);
        if (mag <= 1.0e-4f) return;  // no axis: no rotation
        x /= mag;
        y /= mag;
        z /= mag;
        const float xx = x * x, yy = y * y, zz = z * z;
        const float xy = x * y, yz = y * z, zx = z * x;
        const float xs = x * s, ys = y * s, zs = z * s;
        const float oneMinusC = 1.0f - c;
        at(0, 0) = (oneMinusC * xx) + c;
        at(0, 1) = (oneMinusC * xy) - zs;
        at(0, 2) = (oneMinusC * zx) + ys;
        at(1, 0) = (oneMinusC * xy) + zs;
        at(1, 1) = (oneMinusC * yy) + c;
        at(1, 2) = (oneMinusC * yz) - xs;
        at(2, 0) = (oneMinusC * zx) - ys;
        at(2, 1) = (oneMinusC * yz) + xs;
        at(2, 2) = (oneMinusC * zz) + c;
    }
    matrix = multiplyMatrices(matrix, r);
}

void translateMatrix(Matrix& matrix, float x, float y, float z) {
    float* m = matrix.m;
    m[12] = m[0] * x + m[4] * y + m[8] * z + m[12];
    m[13] = m[1] * x + m[5] * y + m[9] * z + m[13];
    m[14] = m[2] * x + m[6] * y + m[10] * z + m[14];
    m[15] = m[3] * x + m[7] * y + m[11] * z + m[15];
}

void scaleMatrix(Matrix& matrix, float x, float y, float z) {
    float* m = matrix.m;
    m[0] *= x;
    m[4] *= y;
    m[8] *= z;
    m[1] *= x;
    m[5] *= y;
    m[9] *= z;
    m[2] *= x;
    m[6] *= y;
    m[10] *= z;
    m[3] *= x;
    m[7] *= y;
    m[11] *= z;
}

Matrix orthoMatrix(float left, float right, float bottom, float top, float nearVal, float farVal) {
    Matrix r = identityMatrix();
    r.m[0] = 2.0f / (right - left);
    r.m[12] = -(right + left) / (right - left);
    r.m[5] = 2.0f / (top - bottom);
    r.m[13] = -(top + bottom) / (top - bottom);
    r.m[10] = -2.0f / (farVal - nearVal);
    r.m[14] = -(farVal + nearVal) / (farVal - nearVal);
    return r;
}

void normalMatrix(const Matrix& matrix, float out[3][3]) {
    // Cofactors of the 3x3 block over its determinant, as Mesa's general 3D
    // inverse computes them; out[row] is the inverse's column `row`, i.e. a
    // row of the inverse transpose.
    auto in = [&matrix](int row, int col) { return matrix.m[col * 4 + row]; };
    float pos = 0, neg = 0, t;
    t = in(0, 0) * in(1, 1) * in(2, 2);
    (t >= 0 ? pos : neg) += t;
    t = in(1, 0) * in(2, 1) * in(0, 2);
    (t >= 0 ? pos : neg) += t;
    t = in(2, 0) * in(0, 1) * in(1, 2);
    (t >= 0 ? pos : neg) += t;
    t = -in(2, 0) * in(1, 1) * in(0, 2);
    (t >= 0 ? pos : neg) += t;
    t = -in(1, 0) * in(0, 1) * in(2, 2);
    (t >= 0 ? pos : neg) += t;
    t = -in(0, 0) * in(2, 1) * in(1, 2);
    (t >= 0 ? pos : neg) += t;
    float det = pos + neg;
    if (std::fabs(det) < 1e-25f) {
        static const float identity[3][3] = {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}};
        std::memcpy(out, identity, sizeof identity);
        return;
    }
    det = 1.0f / det;
    float inverse[3][3];  // [row][col]
    inverse[0][0] = ((in(1, 1) * in(2, 2) - in(2, 1) * in(1, 2)) * det);
    inverse[0][1] = (-(in(0, 1) * in(2, 2) - in(2, 1) * in(0, 2)) * det);
    inverse[0][2] = ((in(0, 1) * in(1, 2) - in(1, 1) * in(0, 2)) * det);
    inverse[1][0] = (-(in(1, 0) * in(2, 2) - in(2, 0) * in(1, 2)) * det);
    inverse[1][1] = ((in(0, 0) * in(2, 2) - in(2, 0) * in(0, 2)) * det);
    inverse[1][2] = (-(in(0, 0) * in(1, 2) - in(1, 0) * in(0, 2)) * det);
    inverse[2][0] = ((in(1, 0) * in(2, 1) - in(2, 0) * in(1, 1)) * det);
    inverse[2][1] = (-(in(0, 0) * in(2, 1) - in(2, 0) * in(0, 1)) * det);
    inverse[2][2] = ((in(0, 0) * in(1, 1) - in(1, 0) * in(0, 1)) * det);
    for (int row = 0; row < 3; row++) {
        for (int col = 0; col < 3; col++) out[row][col] = inverse[col][row];
    }
}

void transformPoint(const Matrix& matrix, const float in[4], float out[4]) {
    const float* m = matrix.m;
    for (int row = 0; row < 4; row++) {
        out[row] = m[row] * in[0] + m[4 + row] * in[1] + m[8 + row] * in[2] + m[12 + row] * in[3];
    }
}

}  // namespace glcore
