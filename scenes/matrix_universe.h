// A small Universe whose bodies are placed only by explicit 4 x 4 matrices:
// a sun, a ringed blue planet, a second blue planet and its magenta moon.
#pragma once

// One whole frame, ending with the buffer swap.
void drawMatrixUniverse();

// The bodies, each matrix multiplied into the current model-view matrix;
// leaves that matrix changed.
void drawMatrixSystem();
