// Models of bodies and craft, each drawn about the origin of the current
// model-view matrix in scene units, z up.
#pragma once

// Standing figure, feet at the origin, facing +x; arms posed by `armSwing`
// and `armSpread`; head in the current colour.
void drawAstronaut();

// Rocket with its nose towards -x. Leaves a 180-degree turn about y on the
// caller's matrix.
void drawRocket();

// Plus-shaped cross of four tubes and balls in the xz-plane, in the current
// colour. Leaves a 540-degree turn about y on the caller's matrix.
void drawSatellite();

// A colour as glColor3f takes it.
struct Colour {
    float r, g, b;
};

// A solid ball of `radius` (200 slices, `stacks` stacks) in `body`, then a
// wire shell of `shellRadius` (200 by 200) over it in `shell`.
void drawShelledSphere(Colour body, double radius, int stacks, Colour shell, double shellRadius);

// Red ball of radius 590 with a yellow wire shell.
void drawSun();

// White ball of radius 20.
void drawMoon();

// Black ball of radius 90 with a blue wire shell.
void drawEarth();

// Ball of radius 190 in the current colour; the caller flattens it.
void drawRing();
