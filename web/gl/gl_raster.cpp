// glRasterPos and glBitmap. The raster position is a vertex like any other
// (transformed and lit); outside the view volume it is invalid and bitmaps
// draw nothing. Each set bit becomes a one-pixel point at the raster depth,
// placed in window coordinates, so that the part of a bitmap inside the
// window shows even where it lies outside the viewport.
#include <GL/gl.h>

#include <cmath>
#include <vector>

#include "web/gl/gl_backend.h"
#include "web/gl/gl_context.h"
#include "web/gl/gl_primitives.h"

namespace glcore {
namespace {

void setRasterPosition(float x, float y, float z, float w) {
    Context& s = context();
    RasterPosition& raster = s.raster;
    const float object[4] = {x, y, z, w};
    const DrawVertex v = processVertex(object);
    const float* clip = v.position;
    raster.valid = true;
    for (int i = 0; i < 3; i++) {
        if (clip[i] < -clip[3] || clip[i] > clip[3]) raster.valid = false;
    }
    if (!raster.valid) return;
    const GLint* viewport = s.viewport;
    const float scaleX = viewport[2] * 0.5f, scaleY = viewport[3] * 0.5f;
    const float inverseW = 1.0f / clip[3];
    raster.window[0] = clip[0] * inverseW * scaleX + (viewport[0] + scaleX);
    raster.window[1] = clip[1] * inverseW * scaleY + (viewport[1] + scaleY);
    raster.window[2] = clip[2] * inverseW * 0.5f + 0.5f;
    raster.window[3] = clip[3];
    // Unlit, the raster colour is the current colour as given (glGet reports
    // it so); bitmaps clamp it when they draw.
    for (int c = 0; c < 4; c++) raster.color[c] = s.lighting ? v.front[c] : s.color[c];
}

float clamp01(float v) { return v < 0 ? 0 : (v > 1 ? 1 : v); }

// Whether bit `col` of a bitmap row is set, with the unpack settings.
bool bitSet(const GLubyte* row, int col, const PixelLayout& layout) {
    const int bit = col + layout.skipPixels;
    const GLubyte byte = row[bit >> 3];
    return layout.lsbFirst ? (byte >> (bit & 7)) & 1 : (byte << (bit & 7)) & 0x80;
}

}  // namespace
}  // namespace glcore

using namespace glcore;

extern "C" {

void glRasterPos2f(GLfloat x, GLfloat y) { setRasterPosition(x, y, 0, 1); }
void glRasterPos2i(GLint x, GLint y) {
    setRasterPosition(static_cast<float>(x), static_cast<float>(y), 0, 1);
}
void glRasterPos3f(GLfloat x, GLfloat y, GLfloat z) { setRasterPosition(x, y, z, 1); }
void glRasterPos3d(GLdouble x, GLdouble y, GLdouble z) {
    setRasterPosition(static_cast<float>(x), static_cast<float>(y), static_cast<float>(z), 1);
}

void glBitmap(GLsizei width, GLsizei height, GLfloat xorig, GLfloat yorig, GLfloat xmove,
              GLfloat ymove, const GLubyte* bitmap) {
    if (width < 0 || height < 0) {
        recordError(GL_INVALID_VALUE);
        return;
    }
    Context& s = context();
    RasterPosition& raster = s.raster;
    if (!raster.valid) return;
    if (bitmap && width > 0 && height > 0 && s.windowWidth > 0 && s.windowHeight > 0) {
        // Placement as Mesa truncates it, for conformance with SGI's GL.
        const float epsilon = 0.0001f;
        const int left = static_cast<int>(std::floor(raster.window[0] + epsilon - xorig));
        const int bottom = static_cast<int>(std::floor(raster.window[1] + epsilon - yorig));
        // Rows of GL_UNPACK_ROW_LENGTH pixels (or the width), each starting
        // on a multiple of GL_UNPACK_ALIGNMENT bytes.
        const PixelLayout& layout = s.pixelStore.unpack;
        const int rowPixels = layout.rowLength > 0 ? layout.rowLength : width;
        const int alignment = layout.alignment;
        const int bytesPerRow = ((rowPixels + 7) / 8 + alignment - 1) / alignment * alignment;
        const float depth = raster.window[2] * 2 - 1;
        std::vector<DrawVertex> points;
        for (int row = 0; row < height; row++) {
            const GLubyte* bits = bitmap + (row + layout.skipRows) * bytesPerRow;
            for (int col = 0; col < width; col++) {
                if (!bitSet(bits, col, layout)) continue;
                // The pixel's centre across the window, in [-1, 1].
                const float centreX = left + col + 0.5f, centreY = bottom + row + 0.5f;
                DrawVertex v;
                v.position[0] = centreX / s.windowWidth * 2 - 1;
                v.position[1] = centreY / s.windowHeight * 2 - 1;
                v.position[2] = depth;
                v.position[3] = 1;
                for (int c = 0; c < 4; c++) v.front[c] = v.back[c] = clamp01(raster.color[c]);
                points.push_back(v);
            }
        }
        if (!points.empty()) drawWindowPoints(points.data(), static_cast<int>(points.size()));
    }
    raster.window[0] += xmove;
    raster.window[1] += ymove;
}

}  // extern "C"
