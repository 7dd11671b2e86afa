// glutBitmapCharacter as freeglut draws it: the glyph as one glBitmap at the
// raster position, which then moves right by the glyph's width.
#include <GL/freeglut.h>

#include "web/glut/glut_font_data.h"

namespace {

const SFG_Font* fontByHandle(void* font) {
    if (font == GLUT_BITMAP_TIMES_ROMAN_24) return &fgFontTimesRoman24;
    if (font == GLUT_BITMAP_HELVETICA_18) return &fgFontHelvetica18;
    return nullptr;
}

// One of the pixel unpacking settings that glBitmap reads a glyph with: its
// value for the glyphs, and the caller's value (GL's initial value until
// read back).
struct UnpackSetting {
    GLenum name;
    GLint glyphValue;
    GLint saved;
};

}  // namespace

extern "C" void glutBitmapCharacter(void* font, int character) {
    const SFG_Font* const chosen = fontByHandle(font);
    if (!chosen || character < 1 || character >= 256) return;
    const GLubyte* const glyph = chosen->Characters[character];

    // Rows packed byte by byte, most significant bit first; the caller's
    // settings are put back afterwards.
    UnpackSetting settings[] = {
        {GL_UNPACK_SWAP_BYTES, GL_FALSE, GL_FALSE},
        {GL_UNPACK_LSB_FIRST, GL_FALSE, GL_FALSE},
        {GL_UNPACK_ROW_LENGTH, 0, 0},
        {GL_UNPACK_SKIP_ROWS, 0, 0},
        {GL_UNPACK_SKIP_PIXELS, 0, 0},
        {GL_UNPACK_ALIGNMENT, 1, 4},
    };
    for (UnpackSetting& setting : settings) {
        glGetIntegerv(setting.name, &setting.saved);
        glPixelStorei(setting.name, setting.glyphValue);
    }
    glBitmap(glyph[0], chosen->Height, chosen->xorig, chosen->yorig, static_cast<float>(glyph[0]),
             0.0f, glyph + 1);
    for (const UnpackSetting& setting : settings) glPixelStorei(setting.name, setting.saved);
}
