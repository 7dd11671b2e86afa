// Column-major 4 x 4 matrices built in double precision, the way glRotate,
// glTranslate and glScale define them, so tests can work out where a chain
// of transforms should put things without asking GL.
#pragma once

#include <gtest/gtest.h>

#include <array>
#include <cmath>

#include "support/gl_window.h"

namespace xform {

const double pi = 3.14159265358979323846;

inline Mat4 identity() { return {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1}; }

inline Mat4 translate(double x, double y, double z) {
    Mat4 m = identity();
    m[12] = x;
    m[13] = y;
    m[14] = z;
    return m;
}

inline Mat4 scale(double x, double y, double z) {
    Mat4 m = identity();
    m[0] = x;
    m[5] = y;
    m[10] = z;
    return m;
}

// Turn by `degrees` about the axis (x, y, z), which need not be a unit vector.
inline Mat4 rotate(double degrees, double x, double y, double z) {
    const double len = std::sqrt(x * x + y * y + z * z);
    x /= len;
    y /= len;
    z /= len;
    const double t = degrees * pi / 180.0;
    const double c = std::cos(t), s = std::sin(t), k = 1 - c;
    return {x * x * k + c,
            y * x * k + z * s,
            z * x * k - y * s,
            0,
            x * y * k - z * s,
            y * y * k + c,
            z * y * k + x * s,
            0,
            x * z * k + y * s,
            y * z * k - x * s,
            z * z * k + c,
            0,
            0,
            0,
            0,
            1};
}

// Turn about z by `radians`, counter-clockwise seen from +z.
inline Mat4 rotateZRadians(double radians) { return rotate(radians * 180.0 / pi, 0, 0, 1); }

// A product of any number of matrices, left to right as GL applies them.
inline Mat4 chain(const Mat4& m) { return m; }
template <typename... Rest>
Mat4 chain(const Mat4& first, const Mat4& second, const Rest&... rest) {
    return chain(multiply(first, second), rest...);
}

// The world-frame form of a recorded model-view matrix: the camera taken off.
inline Mat4 worldFrame(const Mat4& modelview) {
    return multiply(inverse(cameraMatrix()), modelview);
}

// World position of the point (x, y, z) of a recorded model-view matrix's frame.
inline std::array<double, 3> worldPoint(const Mat4& modelview, double x, double y, double z) {
    return transformPoint(worldFrame(modelview), x, y, z);
}

}  // namespace xform

using Point = std::array<double, 3>;

inline void expectMatrixNear(const Mat4& actual, const Mat4& expected, double tolerance) {
    for (int i = 0; i < 16; ++i)
        EXPECT_NEAR(actual[i], expected[i], tolerance)
            << "element " << i << " (column " << i / 4 << ", row " << i % 4 << ")";
}

inline void expectPointNear(const Point& actual, const Point& expected, double tolerance) {
    EXPECT_NEAR(actual[0], expected[0], tolerance) << "x";
    EXPECT_NEAR(actual[1], expected[1], tolerance) << "y";
    EXPECT_NEAR(actual[2], expected[2], tolerance) << "z";
}
