// Vertex processing: one object-space point through the current matrices
// and lighting, with the current colour and normal.
#ifndef UNIVERSE_WEB_GL_PRIMITIVES_H
#define UNIVERSE_WEB_GL_PRIMITIVES_H

#include <GL/gl.h>

#include <cstdint>
#include <vector>

#include "web/gl/gl_backend.h"

namespace glcore {

// Splits a primitive of n vertices (GL_LINE_LOOP, GL_QUAD_STRIP, ...) into
// lines or triangles as indices 0..n-1 into `out` in the order Mesa splits
// them; returns which. Points need no indices.
DrawMode splitPrimitive(GLenum primitive, uint32_t n, std::vector<uint32_t>& out);

DrawVertex processVertex(const float object[4]);

// The same with `normal` in place of the current normal.
DrawVertex processVertex(const float object[4], const float normal[3]);

// Processes the open primitive's vertices given so far with the state they
// were given under, and each later one as it comes: called before the
// colour or a material changes inside glBegin/glEnd.
void processDeferredVertices();

}  // namespace glcore

#endif
