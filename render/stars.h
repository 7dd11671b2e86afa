// The star field: six-pointed stars in 5 x 5 x 5 lattices that turn about
// the chosen world axis with the animation clock.
#pragma once

// The star step of a frame: the field by the blink rule, then the block that
// never blinks.
void drawStars();

// The three blocks that blink.
void drawStarField();

// One lattice of 125 star clusters with spacing factors a (x), b (y) and
// c (z), turned by `rotateStars`.
void drawStarBlock(int a, int b, int c);

// Turns the current matrix by `spinAngle` about the axis named by `starAxis`.
void rotateStars();

// One star: the fan on each of the six faces of a 50-unit cube.
void drawStarCluster();

// Four coloured triangles from the apex (25, 150, 25) to the square y = 50.
void drawStarFan();
