// glRasterPos and glBitmap. The raster position is a vertex like any other
// (transformed and lit); outside the view volume it is invalid and bitmaps
// draw nothing. Each set bit becomes a one-pixel point at the raster depth.
#include "gl_raster.h"

#include <GL/gl.h>

#include <cmath>
#include <vector>

#include "gl_draw.h"
#include "gl_state.h"
#include "gl_vertex.h"

namespace {

RasterPosition raster;
std::vector<DrawVertex> bitPoints;

void setRasterPosition(float x, float y, float z, float w) {
    const float object[4] = {x, y, z, w};
    const DrawVertex v = processVertex(object);
    const float* clip = v.position;
    raster.valid = true;
    for (int i = 0; i < 3; i++) {
        if (clip[i] < -clip[3] || clip[i] > clip[3]) raster.valid = false;
    }
    if (!raster.valid) return;
    const GLint* viewport = glState().viewport;
    const float scaleX = viewport[2] * 0.5f, scaleY = viewport[3] * 0.5f;
    const float inverseW = 1.0f / clip[3];
    raster.window[0] = clip[0] * inverseW * scaleX + (viewport[0] + scaleX);
    raster.window[1] = clip[1] * inverseW * scaleY + (viewport[1] + scaleY);
    raster.window[2] = clip[2] * inverseW * 0.5f + 0.5f;
    raster.window[3] = clip[3];
    // Unlit, the raster colour is the current colour as given (glGet reports
    // it so); bitmaps clamp it when they draw.
    const GLState& s = glState();
    for (int c = 0; c < 4; c++) raster.color[c] = s.lighting ? v.front[c] : s.color[c];
}

float clamp01(float v) { return v < 0 ? 0 : (v > 1 ? 1 : v); }

}  // namespace

const RasterPosition& rasterPosition() { return raster; }

extern "C" {

void glRasterPos2f(GLfloat x, GLfloat y) { setRasterPosition(x, y, 0, 1); }
void glRasterPos2i(GLint x, GLint y) {
    setRasterPosition(static_cast<float>(x), static_cast<float>(y), 0, 1);
}
void glRasterPos3f(GLfloat x, GLfloat y, GLfloat z) { setRasterPosition(x, y, z, 1); }
void glRasterPos3d(GLdouble x, GLdouble y, GLdouble z) {
    setRasterPosition(static_cast<float>(x), static_cast<float>(y), static_cast<float>(z), 1);
}

// Bitmap rows are read byte-aligned and tightly packed, which is what
// freeglut asks for; the other unpack settings are accepted and ignored.
void glPixelStorei(GLenum, GLint) {}

void glBitmap(GLsizei width, GLsizei height, GLfloat xorig, GLfloat yorig, GLfloat xmove,
              GLfloat ymove, const GLubyte* bitmap) {
    if (!raster.valid) return;
    if (bitmap && width > 0 && height > 0) {
        // Placement as Mesa truncates it, for conformance with SGI's GL.
        const float epsilon = 0.0001f;
        const int left = static_cast<int>(std::floor(raster.window[0] + epsilon - xorig));
        const int bottom = static_cast<int>(std::floor(raster.window[1] + epsilon - yorig));
        const GLint* viewport = glState().viewport;
        const int bytesPerRow = (width + 7) / 8;
        const float depth = raster.window[2] * 2 - 1;
        bitPoints.clear();
        for (int row = 0; row < height; row++) {
            const GLubyte* bits = bitmap + row * bytesPerRow;
            for (int col = 0; col < width; col++) {
                if (!(bits[col >> 3] & (0x80 >> (col & 7)))) continue;
                // The pixel's centre in normalised device coordinates.
                const float centreX = left + col + 0.5f, centreY = bottom + row + 0.5f;
                DrawVertex v;
                v.position[0] = (centreX - viewport[0]) / viewport[2] * 2 - 1;
                v.position[1] = (centreY - viewport[1]) / viewport[3] * 2 - 1;
                v.position[2] = depth;
                v.position[3] = 1;
                for (int c = 0; c < 4; c++) v.front[c] = v.back[c] = clamp01(raster.color[c]);
                bitPoints.push_back(v);
            }
        }
        if (!bitPoints.empty()) {
            drawVertices(DrawMode::Points, bitPoints.data(), static_cast<int>(bitPoints.size()));
        }
    }
    raster.window[0] += xmove;
    raster.window[1] += ymove;
}

}  // extern "C"
