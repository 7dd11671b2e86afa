// The intro and farewell screens: their camera, forced options, text and
// picture.
#include <GL/freeglut.h>

#include "app/menus.h"
#include "scenes/text_screens.h"
#include "support/by_hand.h"
#include "support/gl_test.h"

namespace {

using TextScreens = GlTest;

const Vec3 introEye = {1500, 1500, 500};
const Vec3 introCentre = {0, 0, 2};

// Where the intro camera puts a world point.
std::array<double, 2> projectFrom(const Vec3& eye, const Vec3& centre, double x, double y,
                                  double z) {
    return projectByHand(eye, centre, {x, y, z});
}

std::array<int, 3> pixelAt(const WindowPicture& picture, const std::array<double, 2>& p) {
    return picture.at(static_cast<int>(p[0]), static_cast<int>(p[1]));
}

// How many pixels of a box right of and around a line's start are text blue.
int bluePixelsRightOf(const WindowPicture& picture, const std::array<double, 2>& start, int width) {
    int count = 0;
    for (int dx = 0; dx < width; ++dx)
        for (int dy = -4; dy < 20; ++dy) {
            const auto p =
                picture.at(static_cast<int>(start[0]) + dx, static_cast<int>(start[1]) + dy);
            if (p[2] > 80 && p[0] < 30 && p[1] < 30) ++count;
        }
    return count;
}

// Each screen's lines in order: where the line starts, its font (24: Times
// Roman 24, 18: Helvetica 18) and its text; nullptr for a credit line, whose
// wording is free.
struct ExpectedLine {
    float x, y, z;
    int font;
    const char* text;
};

const ExpectedLine introText[] = {
    {-150, 50, 700, 24, " Projecto 3D - Opengl "},
    {-150, 150, 600, 24, "  O Universo  "},
    {750, 50, 400, 24, " O Universo e constituido por varios cenarios  "},
    {750, 50, 300, 24, "  Universo Automatico"},
    {750, 50, 200, 24, "  Universo Manual "},
    {750, 50, 100, 24, "  Terra , Lua , Foguetao e Homem - Automatico  "},
    {750, 50, 0, 24, "  Terra , Lua , Foguetao e Homem - Manual "},
    {750, 50, -100, 24, "  Universo com matrizes - Automatico "},
    {1100, 0, -300, 18,
     " Clique no botao esquerdo do rato, e leia com atencao as instrucoes.... boa viagem "},
};

const ExpectedLine farewellText[] = {
    {-150, 50, 700, 24, " Projecto 3D - Opengl "},
    {-150, 150, 600, 24, "  O Universo  "},
    {1100, 50, 600, 24, " Visualizacao Computacional "},
    {1100, 50, 500, 24, "   4 ano - Matematica "},
    {1150, 50, 400, 24, nullptr},
    {1100, 50, 300, 24, nullptr},
    {600, 250, -50, 24, "  Realizado por:    "},
    {800, 150, -150, 24, nullptr},
    {750, 50, -300, 24, nullptr},
    {100, 450, -600, 18, " Aguarde...esta a encerrar!"},
};

template <int N>
void expectTextLines(const ExpectedLine (&expected)[N]) {
    const std::vector<TextLine>& lines = textLog();
    ASSERT_EQ(lines.size(), size_t(N));
    for (int i = 0; i < N; ++i) {
        const ExpectedLine& e = expected[i];
        EXPECT_EQ(lines[i].at, (std::array<float, 3>{e.x, e.y, e.z})) << "line " << i + 1;
        EXPECT_EQ(lines[i].font,
                  e.font == 24 ? GLUT_BITMAP_TIMES_ROMAN_24 : GLUT_BITMAP_HELVETICA_18)
            << "line " << i + 1;
        if (e.text) {
            EXPECT_EQ(lines[i].text, e.text) << "line " << i + 1;
        } else {
            EXPECT_FALSE(lines[i].text.empty()) << "line " << i + 1;
        }
    }
}

TEST_F(TextScreens, IntroShowsLitBlueTextAmongRedGreenBlueAxes) {
    appState.axesOn = appState.lightOn = false;  // forced back on by the screen
    startDrawLog(DrawMode::Record);
    drawFrame();
    expectTextLines(introText);
    EXPECT_TRUE(appState.axesOn);
    EXPECT_TRUE(appState.lightOn);
    EXPECT_EQ(glCounters.swaps, 1);

    // Points on the three axes, clear of the text.
    const WindowPicture picture = grabWindow();
    const auto red = pixelAt(picture, projectFrom(introEye, introCentre, 1000, 0, 0));
    const auto green = pixelAt(picture, projectFrom(introEye, introCentre, 0, 1000, 0));
    const auto blue = pixelAt(picture, projectFrom(introEye, introCentre, 0, 0, 800));
    EXPECT_GT(red[0], 100);
    EXPECT_LT(red[1] + red[2], 40);
    EXPECT_GT(green[1], 100);
    EXPECT_LT(green[0] + green[2], 40);
    EXPECT_GT(blue[2], 100);
    EXPECT_LT(blue[0] + blue[1], 40);

    // The first line, " Projecto 3D - Opengl ", starts where (-150, 50, 700)
    // projects: some of the 24-pixel glyphs to its right are blue.
    const auto start = projectFrom(introEye, introCentre, -150, 50, 700);
    EXPECT_GT(bluePixelsRightOf(picture, start, 220), 150);
    // Nothing is drawn left of the line's start on its own row, above the axes.
    const auto left = picture.at(static_cast<int>(start[0]) - 30, static_cast<int>(start[1]) + 8);
    EXPECT_EQ(left, (std::array<int, 3>{0, 0, 0}));
}

TEST_F(TextScreens, FarewellPictureForcesOptionsAndSwapsOnce) {
    appState.axesOn = appState.lightOn = false;
    appState.showIntro = false;
    startDrawLog(DrawMode::Record);
    drawFarewellFrame();
    expectTextLines(farewellText);
    EXPECT_TRUE(appState.axesOn && appState.lightOn);
    EXPECT_EQ(glCounters.swaps, 1);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    // Its last line, " Aguarde...esta a encerrar!", from (100, 450, -600).
    const auto start = projectFrom(introEye, introCentre, 100, 450, -600);
    EXPECT_GT(bluePixelsRightOf(grabWindow(), start, 200), 100);
}

TEST_F(TextScreens, TextScreensLookAtTheSharedCentreFromTheirOwnEye) {
    appState.showIntro = true;
    appState.resetPending = false;
    appState.eyeX = -9000;  // the screens ignore the stored eye
    appState.centerX = 300;
    drawFrame();
    const Mat4 m = currentModelview();
    const auto eye = transformPoint(m, 1500, 1500, 500);
    for (double c : eye) EXPECT_NEAR(c, 0, 1e-3);
    const auto centre = transformPoint(m, 300, 0, 2);
    EXPECT_NEAR(centre[0], 0, 1e-3);
    EXPECT_NEAR(centre[1], 0, 1e-3);
}

TEST_F(TextScreens, DrawTextAdvancesOverLatin1Letters) {
    glLoadIdentity();
    GLfloat before[4], after[4];
    drawText(0, 0, -1000, GLUT_BITMAP_TIMES_ROMAN_24, "");
    glGetFloatv(GL_CURRENT_RASTER_POSITION, before);
    drawText(0, 0, -1000, GLUT_BITMAP_TIMES_ROMAN_24, "\xE7\xE3\xE1");
    glGetFloatv(GL_CURRENT_RASTER_POSITION, after);
    // Three letters above 127 each move the raster position right.
    EXPECT_GT(after[0] - before[0], 3 * 5.0f);

    // A start point outside the view drops the whole line.
    glLoadIdentity();
    drawText(0, 0, 1000, GLUT_BITMAP_TIMES_ROMAN_24, "x");  // behind the eye
    GLint valid = 1;
    glGetIntegerv(GL_CURRENT_RASTER_POSITION_VALID, &valid);
    EXPECT_EQ(valid, GL_FALSE);
}

}  // namespace
