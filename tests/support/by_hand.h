// Camera and projection worked out from their definitions, independently of
// GL and GLU, to compute where the viewer should put things on the screen.
#pragma once

#include <array>

using Vec3 = std::array<double, 3>;

// The look-at basis from `eye` towards `centre` with +z up: side s, true up
// u and forward f, all unit vectors.
struct LookAtBasis {
    Vec3 side, up, forward;
};
LookAtBasis lookAtBasis(const Vec3& eye, const Vec3& centre);

// Window pixel (bottom-left origin) of world point `p` seen from `eye`
// towards `centre` through a `fovY`-degree perspective on a width x height
// viewport.
std::array<double, 2> projectByHand(const Vec3& eye, const Vec3& centre, const Vec3& p,
                                    double fovY = 50, int width = 800, int height = 600);
