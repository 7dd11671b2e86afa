// Layer scenes/: one function per screen, each drawing a whole frame from
// the state record with the render/ blocks and ending with the swap.
//
// The Universe: the sun, seven planets, the Earth group, the ringed planet
// with its moons and the craft, automatic or moved by the manual controls.
#pragma once

// One whole frame of the automatic Universe, ending with the buffer swap.
void drawUniverseAuto();

// One whole frame of the Universe under the manual motion.
void drawUniverseManual();

// Every planet and craft about the sun; leaves the matrix as it found it.
void drawPlanetSystem();

// The Earth, the Moon and the Moon's craft; moves the current matrix, which
// the caller has pushed.
void drawEarthSystem();

// The red ringed planet and its three moons; moves the current matrix, which
// the caller has pushed.
void drawRingedPlanetSystem();
