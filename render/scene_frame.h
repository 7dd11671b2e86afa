// Layer render/: the building blocks of every frame (view set-up, axes,
// lighting, stars, the models and the manual transform). They read the
// state record and issue GL calls; none of them swaps buffers.
//
// The steps that open every animated frame: camera, axes, lighting. The star
// field is in stars.h.
#pragma once

// Clears colour and depth and loads the camera (eye to centre, +z up).
void setupView();

// Draws the red x, green y and blue z axes when `axesOn`; sets the
// colour-material state either way.
void drawAxes();

// Sets material, light 0 (from the world direction (1, 1, 1)) and the
// lighting switches from `lightOn`.
void applyLighting();
