// Where a world point lands in the viewer's window, worked out from first
// principles: a look-at camera with +z up and a perspective projection, the
// way the viewer sets up its view, in window pixels with the origin at the
// top-left corner (as X reads the window).
#pragma once

#include <algorithm>
#include <array>
#include <cmath>

struct ViewCamera {
    std::array<double, 3> eye{5000, 5000, 3500};
    std::array<double, 3> centre{0, 0, 2};
    double fovY = 50;  // degrees
    int width = 800;
    int height = 600;
};

struct WindowPoint {
    double x = 0, y = 0;  // continuous pixel coordinates, y down
    double depth = 0;     // distance along the view direction; > 0 in front
};

inline WindowPoint projectPoint(const ViewCamera& c, double x, double y, double z) {
    const double pi = std::acos(-1.0);
    double f[3] = {c.centre[0] - c.eye[0], c.centre[1] - c.eye[1], c.centre[2] - c.eye[2]};
    const double fl = std::sqrt(f[0] * f[0] + f[1] * f[1] + f[2] * f[2]);
    for (double& v : f) v /= fl;
    // side = f x up, with up = +z; then the true up = side x f.
    double s[3] = {f[1], -f[0], 0};
    const double sl = std::sqrt(s[0] * s[0] + s[1] * s[1]);
    for (double& v : s) v /= sl;
    const double u[3] = {s[1] * f[2] - s[2] * f[1], s[2] * f[0] - s[0] * f[2],
                         s[0] * f[1] - s[1] * f[0]};
    const double d[3] = {x - c.eye[0], y - c.eye[1], z - c.eye[2]};
    const double cx = s[0] * d[0] + s[1] * d[1] + s[2] * d[2];
    const double cy = u[0] * d[0] + u[1] * d[1] + u[2] * d[2];
    const double depth = f[0] * d[0] + f[1] * d[1] + f[2] * d[2];
    const double focal = (c.height / 2.0) / std::tan(c.fovY / 2 * pi / 180);
    return {c.width / 2.0 + focal * cx / depth, c.height / 2.0 - focal * cy / depth, depth};
}

// Apparent radius in pixels of a sphere of `radius` at distance `distance`
// from the eye (the cone that touches the sphere, cut at the view axis).
inline double projectedRadius(const ViewCamera& c, double radius, double distance) {
    const double pi = std::acos(-1.0);
    const double focal = (c.height / 2.0) / std::tan(c.fovY / 2 * pi / 180);
    return focal * radius / std::sqrt(distance * distance - radius * radius);
}

// The window-pixel box that a sphere covers: its outline is the circle where
// the cone from the eye touches it, so project points of that circle.
struct PixelBox {
    double x0 = 0, y0 = 0, x1 = 0, y1 = 0;
    double centreX() const { return (x0 + x1) / 2; }
    double centreY() const { return (y0 + y1) / 2; }
};

inline PixelBox projectedSphere(const ViewCamera& c, const std::array<double, 3>& centre,
                                double radius) {
    const double pi = std::acos(-1.0);
    double v[3] = {centre[0] - c.eye[0], centre[1] - c.eye[1], centre[2] - c.eye[2]};
    const double d = std::sqrt(v[0] * v[0] + v[1] * v[1] + v[2] * v[2]);
    for (double& a : v) a /= d;
    // Touching circle: centre on the eye-to-centre line, radius rho.
    const double along = d - radius * radius / d;
    const double rho = radius * std::sqrt(d * d - radius * radius) / d;
    // Two unit vectors across the line.
    double a[3] = {-v[1], v[0], 0};
    double al = std::sqrt(a[0] * a[0] + a[1] * a[1]);
    if (al < 1e-9) {
        a[0] = 1, a[1] = 0, a[2] = 0;
        al = 1;
    }
    for (double& e : a) e /= al;
    const double b[3] = {v[1] * a[2] - v[2] * a[1], v[2] * a[0] - v[0] * a[2],
                         v[0] * a[1] - v[1] * a[0]};
    PixelBox box{1e300, 1e300, -1e300, -1e300};
    for (int i = 0; i < 720; ++i) {
        const double t = i * pi / 360;
        double p[3];
        for (int k = 0; k < 3; ++k)
            p[k] = c.eye[k] + v[k] * along + rho * (std::cos(t) * a[k] + std::sin(t) * b[k]);
        const WindowPoint w = projectPoint(c, p[0], p[1], p[2]);
        box.x0 = std::min(box.x0, w.x);
        box.x1 = std::max(box.x1, w.x);
        box.y0 = std::min(box.y0, w.y);
        box.y1 = std::max(box.y1, w.y);
    }
    return box;
}
