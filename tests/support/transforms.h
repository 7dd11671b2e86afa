// Expected matrices built from first principles (column-major, like GL's),
// and point comparisons, for checks on what the drawing code multiplied.
#pragma once

#include <gtest/gtest.h>

#include <array>
#include <cmath>

#include "support/gl_window.h"

inline Mat4 identityMatrix() { return {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1}; }

// Turn by `degrees` counter-clockwise about the axis (x, y, z), which need
// not be of unit length (Rodrigues' formula).
inline Mat4 rotationMatrix(double degrees, double x, double y, double z) {
    const double length = std::sqrt(x * x + y * y + z * z);
    x /= length;
    y /= length;
    z /= length;
    const double a = degrees * std::acos(-1.0) / 180;
    const double c = std::cos(a), s = std::sin(a), t = 1 - c;
    return {t * x * x + c,     t * x * y + s * z, t * x * z - s * y, 0,
            t * x * y - s * z, t * y * y + c,     t * y * z + s * x, 0,
            t * x * z + s * y, t * y * z - s * x, t * z * z + c,     0,
            0,                 0,                 0,                 1};
}

inline Mat4 translationMatrix(double x, double y, double z) {
    return {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, x, y, z, 1};
}

inline Mat4 scaleMatrix(double x, double y, double z) {
    return {x, 0, 0, 0, 0, y, 0, 0, 0, 0, z, 0, 0, 0, 0, 1};
}

using Point = std::array<double, 3>;

inline void expectMatrixNear(const Mat4& actual, const Mat4& expected, double tolerance) {
    for (int i = 0; i < 16; ++i)
        EXPECT_NEAR(actual[i], expected[i], tolerance) << "element " << i << " (column "
                                                       << i / 4 << ", row " << i % 4 << ")";
}

inline void expectPointNear(const Point& actual, const Point& expected, double tolerance) {
    EXPECT_NEAR(actual[0], expected[0], tolerance) << "x";
    EXPECT_NEAR(actual[1], expected[1], tolerance) << "y";
    EXPECT_NEAR(actual[2], expected[2], tolerance) << "z";
}
