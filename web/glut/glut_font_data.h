// freeglut's bitmap font record, and the two fonts the viewer draws with.
// Their glyphs come from freeglut's own font data (its fg_font_data.c,
// turned into freeglut_font_data.cpp when the web build is configured, see
// web/CMakeLists.txt); this header stands in for the freeglut internals that
// file expects.
#ifndef UNIVERSE_WEB_GLUT_FONT_DATA_H
#define UNIVERSE_WEB_GLUT_FONT_DATA_H

#include <GL/gl.h>

#include <cstddef>  // NULL, which ends freeglut's glyph tables

// A font: Characters[c] points at glyph c, its width in pixels followed by
// Height rows of bits, bottom row first, each row padded to whole bytes.
// (xorig, yorig) is the raster position's place in every glyph.
struct SFG_Font {
    const char* Name;
    int Quantity;
    int Height;
    const GLubyte** Characters;
    float xorig, yorig;
};

extern SFG_Font fgFontTimesRoman24;
extern SFG_Font fgFontHelvetica18;

#endif
