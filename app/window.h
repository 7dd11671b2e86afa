// The viewer's window: its title and the fixed OpenGL state set once after
// the window exists.
#pragma once

// "Visualização Computacional - Universo -  Representação 3D " in Latin-1.
extern const char* const windowTitle;

// Black clear colour, depth test with GL_LEQUAL, smooth shading, identity
// projection, model-view matrix current.
void initGraphics();
