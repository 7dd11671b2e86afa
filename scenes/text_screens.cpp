#include "scenes/text_screens.h"

#include <GL/freeglut.h>

#include <chrono>
#include <cstdlib>
#include <thread>

#include "render/scene_frame.h"
#include "state/app_state.h"

void drawText(float x, float y, float z, void* font, const char* text) {
    glRasterPos3f(x, y, z);
    // Unsigned, so that Latin-1 letters above 127 are drawn too.
    for (const unsigned char* c = reinterpret_cast<const unsigned char*>(text); *c; ++c) {
        glutBitmapCharacter(font, *c);
    }
}

// One line of a text screen: where it starts, its font and its text.
struct TextLine {
    float x, y, z;
    void* font;
    const char* text;
};

#define TIMES GLUT_BITMAP_TIMES_ROMAN_24
#define HELVETICA GLUT_BITMAP_HELVETICA_18

static const TextLine introLines[] = {
    {-150, 50, 700, TIMES, " Projecto 3D - Opengl "},
    {-150, 150, 600, TIMES, "  O Universo  "},
    {750, 50, 400, TIMES, " O Universo e constituido por varios cenarios  "},
    {750, 50, 300, TIMES, "  Universo Automatico"},
    {750, 50, 200, TIMES, "  Universo Manual "},
    {750, 50, 100, TIMES, "  Terra , Lua , Foguetao e Homem - Automatico  "},
    {750, 50, 0, TIMES, "  Terra , Lua , Foguetao e Homem - Manual "},
    {750, 50, -100, TIMES, "  Universo com matrizes - Automatico "},
    {1100, 0, -300, HELVETICA,
     " Clique no botao esquerdo do rato, e leia com atencao as instrucoes.... boa viagem "},
};

static const TextLine farewellLines[] = {
    {-150, 50, 700, TIMES, " Projecto 3D - Opengl "},
    {-150, 150, 600, TIMES, "  O Universo  "},
    {1100, 50, 600, TIMES, " Visualizacao Computacional "},
    {1100, 50, 500, TIMES, "   4 ano - Matematica "},
    {1150, 50, 400, TIMES, " Projecto Universo 3D "},
    {1100, 50, 300, TIMES, " Dezembro de 2026 "},
    {600, 250, -50, TIMES, "  Realizado por:    "},
    {800, 150, -150, TIMES, " a equipa do Universo 3D "},
    {750, 50, -300, TIMES, " com OpenGL, GLU e freeglut "},
    {100, 450, -600, HELVETICA, " Aguarde...esta a encerrar!"},
};

#undef TIMES
#undef HELVETICA

// The frame shared by both screens: a fixed eye at (1500, 1500, 500) looking
// at the camera centre, axes and light forced on, then the lines.
template <int N>
static void drawTextScreen(const TextLine (&lines)[N]) {
    AppState& s = appState;
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    s.axesOn = true;
    s.lightOn = true;
    glLoadIdentity();
    gluLookAt(1500, 1500, 500, s.centerX, s.centerY, s.centerZ, 0, 0, 1);
    drawAxes();
    applyLighting();
    for (const TextLine& line : lines) drawText(line.x, line.y, line.z, line.font, line.text);
    glutSwapBuffers();
}

void drawIntroScreen() { drawTextScreen(introLines); }

void drawFarewellFrame() { drawTextScreen(farewellLines); }

void drawFarewellScreen() {
    drawFarewellFrame();
    std::this_thread::sleep_for(std::chrono::milliseconds(10000));
    std::exit(0);
}
