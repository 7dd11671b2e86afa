// Per-vertex lighting as GL 1.x's fixed function defines it, in eye
// coordinates and single precision. The WebGL back end's vertex shader
// computes the same equation for the cases shapeLighting describes.
#ifndef UNIVERSE_WEB_GL_LIGHTING_H
#define UNIVERSE_WEB_GL_LIGHTING_H

namespace glcore {

// The lit, clamped front and back colours of a vertex. `eyeNormal` is the
// normal as transformed (normalised only under GL_NORMALIZE); `eyePosition`
// matters only for positional lights and the local viewer. `back` is lit
// with the back material and the negated normal when two-sided lighting is
// on, and equals `front` otherwise.
void lightVertex(const float eyePosition[4], const float eyeNormal[3], float front[4],
                 float back[4]);

// Whether lighting needs the vertex's eye position.
bool lightingNeedsEyePosition();

// Copies the current colour into the material parameters that track it;
// called when tracking starts or its target changes and on every colour
// change while it is on, so the material keeps the last colour after.
void updateColorMaterial();

// The lighting of a vertex with the state of the moment, reduced to what
// varies with its normal, for a vertex shader:
//   colour = clamp(base + max(N.L, 0) * diffuse + s * specular), where
//   s = max(N.H, 0) ^ shininess when N.L > 0 (1 for 0 ^ 0), else 0,
// with N the eye normal turned by `sign` (the face's). Unlit, the diffuse
// and specular terms are zero and base is the clamped current colour.
struct FaceLighting {
    float base[4];  // alpha: the material's diffuse alpha, clamped
    float diffuse[3];
    float specular[3];
    float shininess;
    float sign;  // 1: the normal as given; -1: turned around (back faces)
};
struct ShapeLighting {
    float toLight[3];
    float half[3];
    FaceLighting faces[2];  // [0] front, [1] back (equal to front unless two-sided)
};

// Fills `out` and returns true when the state is one the reduced form
// covers: lighting off, or light 0 alone, directional, with the viewer at
// infinity, smooth shading and normals not normalised or rescaled. `lines`:
// the shape is lines, which take the front colour on both sides.
bool shapeLighting(bool lines, ShapeLighting& out);

}  // namespace glcore

#endif
