// Vertex processing: one object-space point through the current matrices
// and lighting, with the current colour and normal.
#ifndef UNIVERSE_WEB_GL_VERTEX_H
#define UNIVERSE_WEB_GL_VERTEX_H

#include "gl_draw.h"

DrawVertex processVertex(const float object[4]);

#endif
