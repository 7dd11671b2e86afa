// The manual transform as the manual scenes draw it: the turn, offset and
// scale that the letter keys set, applied to the current matrix.
#pragma once

// In the manual scenes, multiplies the current matrix by the manual turn
// (about the star axis), translation and scale; in the manual Earth scene
// also takes one stride step. Pushes nothing.
void applyManualMotion();
