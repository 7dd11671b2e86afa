#include "support/by_hand.h"

#include <cmath>

static double dot(const Vec3& a, const Vec3& b) { return a[0] * b[0] + a[1] * b[1] + a[2] * b[2]; }

static Vec3 unit(const Vec3& v) {
    const double length = std::sqrt(dot(v, v));
    return {v[0] / length, v[1] / length, v[2] / length};
}

static Vec3 cross(const Vec3& a, const Vec3& b) {
    return {a[1] * b[2] - a[2] * b[1], a[2] * b[0] - a[0] * b[2], a[0] * b[1] - a[1] * b[0]};
}

LookAtBasis lookAtBasis(const Vec3& eye, const Vec3& centre) {
    const Vec3 f = unit({centre[0] - eye[0], centre[1] - eye[1], centre[2] - eye[2]});
    const Vec3 s = unit(cross(f, {0, 0, 1}));
    return {s, cross(s, f), f};
}

std::array<double, 2> projectByHand(const Vec3& eye, const Vec3& centre, const Vec3& p, double fovY,
                                    int width, int height) {
    const LookAtBasis b = lookAtBasis(eye, centre);
    const Vec3 d = {p[0] - eye[0], p[1] - eye[1], p[2] - eye[2]};
    const double depth = dot(b.forward, d);
    const double cot = 1 / std::tan(fovY / 2 * M_PI / 180);
    const double aspect = static_cast<double>(width) / height;
    const double ndcX = cot / aspect * dot(b.side, d) / depth;
    const double ndcY = cot * dot(b.up, d) / depth;
    return {(ndcX + 1) * width / 2, (ndcY + 1) * height / 2};
}
