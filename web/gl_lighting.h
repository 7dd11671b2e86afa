// Per-vertex lighting as GL 1.x's fixed function defines it, in eye
// coordinates and single precision.
#ifndef UNIVERSE_WEB_GL_LIGHTING_H
#define UNIVERSE_WEB_GL_LIGHTING_H

// The lit, clamped front and back colours of a vertex. `eyeNormal` is the
// normal as transformed (normalised only under GL_NORMALIZE); `eyePosition`
// matters only for positional lights and the local viewer. `back` is lit
// with the back material and the negated normal when two-sided lighting is
// on, and equals `front` otherwise.
void lightVertex(const float eyePosition[4], const float eyeNormal[3], float front[4],
                 float back[4]);

// Whether lighting needs the vertex's eye position.
bool lightingNeedsEyePosition();

#endif
