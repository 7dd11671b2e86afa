// The browser platform's GL core (web/gl_*.cpp, GLU's and GLUT's shapes)
// compiled for this machine, against Mesa: the same calls through both, the
// core's vertices (clip positions, front and back colours) against Mesa's
// feedback, and its answers to glGet and glGetError against Mesa's. The
// core's shapes are drawn through its CPU path (drawShapeOnCpu), which
// computes what the page's vertex shader computes.
#include <GL/freeglut.h>
#include <GL/glu.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cmath>
#include <functional>
#include <vector>

#include "support/gl_window.h"
#include "web/calls/call_replay.h"
#include "web/gl/gl_context.h"
#include "web/gl/gl_primitives.h"
#include "web/gl/gl_shape_cache.h"
#include "web/webgl/command_stream.h"
#include "web_gl/gl_calls.h"

// The core's back end here records what it is given, as window coordinates
// (the viewport is the whole 800 x 600 window) and colours.
namespace {

struct Recorded {
    int vertices;  // 1 point, 2 line, 3 triangle
    float window[3][3];
    float front[3][4], back[3][4];
};
std::vector<Recorded> recorded;
std::vector<glcore::DrawVertex> windowPoints;
std::vector<float> offered;  // drawObjectTriangles' positions, then normals, per call

void record(int count, const glcore::DrawVertex* const* v) {
    Recorded r{};
    r.vertices = count;
    for (int k = 0; k < r.vertices; k++) {
        const float* clip = v[k]->position;
        r.window[k][0] = (clip[0] / clip[3] + 1) * 0.5f * 800;
        r.window[k][1] = (clip[1] / clip[3] + 1) * 0.5f * 600;
        r.window[k][2] = (clip[2] / clip[3] + 1) * 0.5f;
        std::copy(v[k]->front, v[k]->front + 4, r.front[k]);
        std::copy(v[k]->back, v[k]->back + 4, r.back[k]);
    }
    recorded.push_back(r);
}

}  // namespace

namespace glcore {
void drawIndexed(DrawMode mode, const DrawVertex* vertices, int, const uint32_t* indices,
                 int indexCount) {
    const int per = mode == DrawMode::Points ? 1 : mode == DrawMode::Lines ? 2 : 3;
    for (int i = 0; i + per <= indexCount; i += per) {
        const DrawVertex* v[3];
        for (int k = 0; k < per; k++) v[k] = &vertices[indices[i + k]];
        record(per, v);
    }
}
void drawVertices(DrawMode mode, const DrawVertex* vertices, int count) {
    std::vector<uint32_t> sequence(count);
    for (int i = 0; i < count; i++) sequence[i] = static_cast<uint32_t>(i);
    drawIndexed(mode, vertices, count, sequence.data(), count);
}
void drawWindowPoints(const DrawVertex* vertices, int count) {
    windowPoints.assign(vertices, vertices + count);
}
void drawShape(const CachedShape& shape) { drawShapeOnCpu(shape); }
// Keeps what it is offered and declines it, so the CPU draws it as well.
bool drawObjectTriangles(const float* positions, const float* normals, int count) {
    offered.insert(offered.end(), positions, positions + 3 * count);
    offered.insert(offered.end(), normals, normals + 3 * count);
    return false;
}
void framebufferStateChanged() {}
void clearFramebuffer(GLbitfield) {}
void flushDrawing() {}
}  // namespace glcore

namespace {

const GLCalls mesa = {WEB_GL_TEST_CALLS};

// A frame as the viewer draws one: the camera, the light as applyLighting
// sets it (or none), two-sided lighting, star triangles, and each kind of
// shape with the arguments the scenes give them. `mirror` turns the picture
// left to right, so that every triangle shows its other face.
void drawFrame(const GLCalls& gl, bool light, bool mirror = false) {
    gl.viewport(0, 0, 800, 600);
    gl.matrixMode(GL_PROJECTION);
    gl.loadIdentity();
    gl.perspective(45, (mirror ? -800.0 : 800.0) / 600.0, 1, 100000);
    gl.matrixMode(GL_MODELVIEW);
    gl.loadIdentity();
    gl.lookAt(9000, 7000, 5000, 0, 0, 0, 0, 0, 1);
    gl.lightModeli(GL_LIGHT_MODEL_TWO_SIDE, GL_TRUE);
    gl.normal3f(0, 0, 1);  // the stars' normal: a cylinder leaves its last one
    static const float specular[] = {1, 1, 1, 1}, diffuse[] = {1, 1, 0, 1}, shininess[] = {10};
    static const float direction[] = {1, 1, 1, 0};
    if (light) {
        gl.colorMaterial(GL_FRONT, GL_AMBIENT_AND_DIFFUSE);
        gl.enable(GL_COLOR_MATERIAL);
        gl.materialfv(GL_FRONT, GL_SPECULAR, specular);
        gl.materialfv(GL_FRONT, GL_DIFFUSE, diffuse);
        gl.materialfv(GL_FRONT, GL_SHININESS, shininess);
        gl.lightfv(GL_LIGHT0, GL_POSITION, direction);
        gl.enable(GL_LIGHTING);
        gl.enable(GL_LIGHT0);
    } else {
        gl.disable(GL_COLOR_MATERIAL);
        gl.disable(GL_LIGHT0);
        gl.disable(GL_LIGHTING);
    }
    for (int turn = 0; turn < 360; turn += 45) {
        gl.pushMatrix();
        gl.rotatef(static_cast<float>(turn), 0, 0, 1);
        gl.translatef(2500, 0, 0);
        gl.color3f(0.9f, 0.5f, 0.2f);
        gl.begin(GL_TRIANGLES);
        gl.vertex3i(25, 150, 25);
        gl.vertex3i(0, 50, 50);
        gl.vertex3i(50, 50, 50);
        gl.end();
        gl.popMatrix();
    }
    gl.color3f(0, 0, 1);
    gl.solidSphere(1200, 200, 200);
    gl.color3f(1, 1, 0);
    gl.wireSphere(590.005, 40, 30);
    gl.pushMatrix();
    gl.translatef(-2000, 1000, 0);
    gl.rotatef(30, 1, 1, 0);
    gl.color3f(1, 0, 0);
    gl.solidCone(130, 400, 100, 20);
    gl.wireCone(130.005, 400.005, 10, 20);
    gl.solidCube(200);
    gl.wireCube(200.0005);
    GLUquadric* quadric = gl.newQuadric();
    gl.color3f(0, 1, 0);
    gl.cylinder(quadric, 200, 55, 500, 50, 10);
    gl.deleteQuadric(quadric);
    gl.popMatrix();
}

// Mesa's feedback of the frame: window coordinates and the colour of each
// vertex of each triangle, line and point, in order (GL_3D_COLOR).
std::vector<Recorded> mesaFeedback(const std::function<void()>& draw) {
    std::vector<GLfloat> buffer(1 << 23);
    glFeedbackBuffer(static_cast<GLsizei>(buffer.size()), GL_3D_COLOR, buffer.data());
    glRenderMode(GL_FEEDBACK);
    draw();
    const GLint used = glRenderMode(GL_RENDER);
    std::vector<Recorded> out;
    for (GLint i = 0; i < used;) {
        const GLint token = static_cast<GLint>(buffer[i++]);
        Recorded r{};
        r.vertices = token == GL_POLYGON_TOKEN ? static_cast<int>(buffer[i++])
                     : token == GL_POINT_TOKEN ? 1
                                               : 2;
        for (int k = 0; k < r.vertices; k++, i += 7) {
            std::copy(&buffer[i], &buffer[i + 3], r.window[k]);
            std::copy(&buffer[i + 3], &buffer[i + 7], r.front[k]);
        }
        out.push_back(r);
    }
    return out;
}

float signedArea(const Recorded& r) {
    const float(*w)[3] = r.window;
    return (w[1][0] - w[0][0]) * (w[2][1] - w[0][1]) - (w[2][0] - w[0][0]) * (w[1][1] - w[0][1]);
}

// Compares everything the core drew with Mesa's feedback, drawn once as it
// is and once mirrored: a triangle shows its front colour in one and its
// back colour in the other.
void expectFrameLikeMesa(bool light) {
    ensureGlWindow();
    recorded.clear();
    drawFrame(webCoreCalls(), light);
    const std::vector<Recorded> shown = mesaFeedback([&] { drawFrame(mesa, light, false); });
    const std::vector<Recorded> mirrored = mesaFeedback([&] { drawFrame(mesa, light, true); });
    ASSERT_EQ(recorded.size(), shown.size());
    ASSERT_EQ(recorded.size(), mirrored.size());
    double worstPosition = 0, worstColour = 0;
    for (size_t p = 0; p < recorded.size(); p++) {
        const Recorded &core = recorded[p], &a = shown[p], &b = mirrored[p];
        ASSERT_EQ(core.vertices, a.vertices) << "primitive " << p;
        const bool facesUs = signedArea(core) > 0;
        for (int k = 0; k < core.vertices; k++) {
            const float* at = core.window[k];
            worstPosition = std::max({worstPosition, std::fabs(at[0] - a.window[k][0]) / 800.0,
                                      std::fabs(at[1] - a.window[k][1]) / 600.0,
                                      std::fabs(at[2] - a.window[k][2]) * 1.0});
            // A sliver edge-on: which face Mesa shows is a matter of rounding.
            if (core.vertices == 3 && std::fabs(signedArea(core)) < 1e-3f) continue;
            const float* front = core.vertices < 3 || facesUs ? a.front[k] : b.front[k];
            const float* back = core.vertices < 3 || facesUs ? b.front[k] : a.front[k];
            for (int c = 0; c < 4; c++) {
                const double backError =
                    core.vertices < 3 ? 0 : std::fabs(core.back[k][c] - back[c]);
                worstColour = std::max(
                    {worstColour, std::fabs(core.front[k][c] - front[c]) * 1.0, backError});
            }
        }
    }
    EXPECT_LT(worstPosition, 1e-5) << recorded.size() << " primitives";
    EXPECT_LT(worstColour, 1e-5) << recorded.size() << " primitives";
}

}  // namespace

TEST(WebGLCore, LitFrameMatchesMesaFeedback) { expectFrameLikeMesa(true); }

TEST(WebGLCore, UnlitFrameMatchesMesaFeedback) { expectFrameLikeMesa(false); }

// A shape's triangle strips go to WebGL as one strip joined by degenerate
// triangles: drawn as GL draws a strip, less the triangles that repeat an
// index, it gives each strip's triangles with glEnd's vertex order (and so
// facing), whether the strip before it had an odd or an even length; other
// primitives take chunks of their own.
TEST(WebGLCore, ShapeStripsJoinedInOneKeepEachTriangle) {
    glcore::ShapeMesh mesh;
    const float positions[3 * 6] = {}, normals[3 * 6] = {};  // the longest strip's
    for (int count : {5, 4, 6}) mesh.addPrimitive(GL_TRIANGLE_STRIP, positions, normals, count);
    mesh.addPrimitive(GL_TRIANGLES, positions, normals, 3);
    ASSERT_EQ(mesh.chunks.size(), 2u);
    const glcore::ShapeChunk& strip = mesh.chunks[0];
    EXPECT_EQ(strip.mode, GL_TRIANGLE_STRIP);
    EXPECT_EQ(mesh.chunks[1].mode, GL_TRIANGLES);
    EXPECT_EQ(mesh.chunks[1].firstVertex, 15);
    std::vector<uint32_t> expected, split;
    uint32_t first = 0;
    for (uint32_t count : {5u, 4u, 6u}) {
        glcore::splitPrimitive(GL_TRIANGLE_STRIP, count, split);
        for (uint32_t at : split) expected.push_back(first + at);
        first += count;
    }
    std::vector<uint32_t> drawn;
    const uint16_t* index = &mesh.indices[strip.firstIndex];
    for (int t = 0; t + 2 < strip.indexCount; t++) {
        const uint32_t a = index[t + (t & 1)], b = index[t + 1 - (t & 1)], c = index[t + 2];
        if (a != b && b != c && a != c) drawn.insert(drawn.end(), {a, b, c});
    }
    EXPECT_EQ(drawn, expected);
    EXPECT_EQ(strip.indexCount, 5 + 3 + 4 + 2 + 6);  // joins of three and two
    std::vector<uint32_t> onCpu;
    glcore::chunkPrimitives(mesh, strip, onCpu);
    EXPECT_EQ(onCpu, expected);
}

// A shape's line strips and loops go to WebGL 2 as one strip parted by
// restart indices (a loop closed on its first vertex): through the CPU path
// that run gives the segments Mesa draws for the strips one by one, in order.
TEST(WebGLCore, ShapeLineStripsWithRestartsDrawAsMesa) {
    ensureGlWindow();
    static const int points[5][3] = {{-3, -2, 0}, {2, -1, 1}, {3, 2, -2}, {-1, 3, 0}, {0, 0, 3}};
    const GLenum modes[] = {GL_LINE_STRIP, GL_LINE_LOOP, GL_LINE_STRIP, GL_LINE_LOOP};
    const int counts[] = {5, 4, 2, 3};
    float positions[3 * 5], normals[3 * 5] = {};
    for (int k = 0; k < 15; k++) positions[k] = static_cast<float>(points[k / 3][k % 3]);
    glcore::CachedShape shape{-1, {}};
    for (int s = 0; s < 4; s++) shape.mesh.addPrimitive(modes[s], positions, normals, counts[s]);
    ASSERT_EQ(shape.mesh.chunks.size(), 1u);
    EXPECT_EQ(shape.mesh.chunks[0].mode, GL_LINE_STRIP);
    const auto& indices = shape.mesh.indices;
    EXPECT_EQ(std::count(indices.begin(), indices.end(), glcore::kRestartIndex), 3);
    const auto camera = [](const GLCalls& gl) {
        gl.viewport(0, 0, 800, 600);
        gl.matrixMode(GL_PROJECTION);
        gl.loadIdentity();
        gl.perspective(45, 800.0 / 600.0, 1, 100);
        gl.matrixMode(GL_MODELVIEW);
        gl.loadIdentity();
        gl.translatef(0, 0, -12);
        gl.rotatef(20, 1, 1, 0);
    };
    recorded.clear();
    camera(webCoreCalls());
    glcore::drawShapeOnCpu(shape);
    const std::vector<Recorded> shown = mesaFeedback([&] {
        camera(mesa);
        for (int s = 0; s < 4; s++) {
            mesa.begin(modes[s]);
            for (int v = 0; v < counts[s]; v++)
                mesa.vertex3i(points[v][0], points[v][1], points[v][2]);
            mesa.end();
        }
    });
    ASSERT_EQ(recorded.size(), 12u);  // 4 + 4 + 1 + 3 segments
    ASSERT_EQ(shown.size(), recorded.size());
    for (size_t p = 0; p < shown.size(); p++) {
        for (int k = 0; k < 6; k++)
            EXPECT_NEAR(recorded[p].window[k / 3][k % 3], shown[p].window[k / 3][k % 3], 1e-3) << p;
    }
}

// Immediate mode's triangles of one colour are offered to the back end in
// object space, whole triangles only, with the normal each vertex had; a
// colour changed inside the primitive or another primitive keep to the CPU.
TEST(WebGLCore, TrianglesOfOneColourOfferedInObjectSpace) {
    const GLCalls& gl = webCoreCalls();
    gl.loadIdentity();
    gl.translatef(100, 0, 0);
    offered.clear();
    gl.color3f(0.9f, 0.5f, 0.2f);
    gl.normal3f(0, 0, 1);
    gl.begin(GL_TRIANGLES);
    gl.vertex3i(25, 150, 25);
    gl.vertex3i(0, 50, 50);
    gl.normal3f(1, 0, 0);
    gl.vertex3i(50, 50, 50);
    gl.vertex3i(1, 2, 3);  // not a whole triangle
    gl.end();
    const std::vector<float> expected = {25, 150, 25, 0, 50, 50, 50, 50, 50,
                                         0,  0,   1,  0, 0,  1,  1,  0,  0};
    EXPECT_EQ(offered, expected);
    offered.clear();
    gl.begin(GL_TRIANGLES);
    gl.vertex3i(25, 150, 25);
    gl.color3f(0, 0, 1);
    gl.vertex3i(0, 50, 50);
    gl.vertex3i(50, 50, 50);
    gl.end();
    gl.begin(GL_TRIANGLE_STRIP);
    for (int v = 0; v < 4; v++) gl.vertex3i(v, v * v, 0);
    gl.end();
    EXPECT_TRUE(offered.empty());
}

// The same calls' errors and queries on both: the texture matrix is a stack
// of its own, a 33rd push overflows and an extra pop underflows, unpacking
// starts 4-aligned, and an unknown name is an invalid enum.
TEST(WebGLCore, MatrixModesErrorsAndQueriesAsMesa) {
    ensureGlWindow();
    for (const GLCalls* gl : {&mesa, &webCoreCalls()}) {
        SCOPED_TRACE(gl == &mesa ? "Mesa" : "web core");
        while (gl->getError() != GL_NO_ERROR) {}
        static const float shift[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 5, 6, 7, 1};
        gl->matrixMode(GL_MODELVIEW);
        gl->loadIdentity();
        gl->matrixMode(GL_TEXTURE);
        gl->loadMatrixf(shift);
        gl->matrixMode(GL_MODELVIEW);
        float texture[16], modelview[16];
        gl->getFloatv(GL_TEXTURE_MATRIX, texture);
        gl->getFloatv(GL_MODELVIEW_MATRIX, modelview);
        EXPECT_EQ(texture[12], 5);
        EXPECT_EQ(modelview[12], 0);
        gl->matrixMode(GL_TEXTURE);
        gl->loadIdentity();
        gl->matrixMode(GL_MODELVIEW);

        for (int push = 1; push < 32; push++) gl->pushMatrix();
        EXPECT_EQ(gl->getError(), static_cast<unsigned>(GL_NO_ERROR));
        gl->pushMatrix();
        EXPECT_EQ(gl->getError(), static_cast<unsigned>(GL_STACK_OVERFLOW));
        EXPECT_EQ(gl->getError(), static_cast<unsigned>(GL_NO_ERROR));  // read once
        for (int pop = 1; pop < 32; pop++) gl->popMatrix();
        gl->popMatrix();
        EXPECT_EQ(gl->getError(), static_cast<unsigned>(GL_STACK_UNDERFLOW));

        int value = 0;
        gl->getIntegerv(GL_UNPACK_ALIGNMENT, &value);
        EXPECT_EQ(value, 4);
        gl->getIntegerv(GL_TEXTURE_STACK_DEPTH, &value);
        EXPECT_EQ(value, 1);
        gl->getIntegerv(0x1234, &value);
        EXPECT_EQ(gl->getError(), static_cast<unsigned>(GL_INVALID_ENUM));
    }
}

// Bad enums are refused with GL_INVALID_ENUM and change nothing; the clear
// values are clamped to [0, 1], the depth's read as an integer as a colour's.
TEST(WebGLCore, BadEnumsAndClearValuesAsMesa) {
    ensureGlWindow();
    for (const GLCalls* gl : {&mesa, &webCoreCalls()}) {
        SCOPED_TRACE(gl == &mesa ? "Mesa" : "web core");
        while (gl->getError() != GL_NO_ERROR) {}
        const struct {
            void (*set)(unsigned);
            unsigned pname, value, start;
        } modes[] = {{gl->depthFunc, GL_DEPTH_FUNC, GL_LEQUAL, GL_LESS},
                     {gl->cullFace, GL_CULL_FACE_MODE, GL_FRONT, GL_BACK},
                     {gl->frontFace, GL_FRONT_FACE, GL_CW, GL_CCW},
                     {gl->shadeModel, GL_SHADE_MODEL, GL_FLAT, GL_SMOOTH}};
        for (const auto& mode : modes) {
            mode.set(mode.value);
            mode.set(GL_LINE);
            EXPECT_EQ(gl->getError(), static_cast<unsigned>(GL_INVALID_ENUM)) << mode.pname;
            int value = 0;
            gl->getIntegerv(mode.pname, &value);
            EXPECT_EQ(value, static_cast<int>(mode.value)) << mode.pname;
            mode.set(mode.start);
        }
        const float red[4] = {1, 0, 0, 1};
        gl->lightfv(GL_LIGHT0 + 8, GL_DIFFUSE, red);
        EXPECT_EQ(gl->getError(), static_cast<unsigned>(GL_INVALID_ENUM));
        gl->lightfv(GL_LIGHT0, GL_SHININESS, red);
        EXPECT_EQ(gl->getError(), static_cast<unsigned>(GL_INVALID_ENUM));

        float colour[4], depth = 0;
        gl->clearColor(2, -1, 0.5f, 1);
        gl->getFloatv(GL_COLOR_CLEAR_VALUE, colour);
        EXPECT_EQ(std::vector<float>(colour, colour + 4), std::vector<float>({1, 0, 0.5f, 1}));
        gl->clearDepth(3);
        gl->getFloatv(GL_DEPTH_CLEAR_VALUE, &depth);
        EXPECT_EQ(depth, 1);
        gl->clearDepth(0.5);
        int depthAsInteger = 0;
        gl->getIntegerv(GL_DEPTH_CLEAR_VALUE, &depthAsInteger);
        EXPECT_EQ(depthAsInteger, INT_MAX / 2);
        EXPECT_EQ(gl->getError(), static_cast<unsigned>(GL_NO_ERROR));
        gl->clearColor(0, 0, 0, 0);
        gl->clearDepth(1);
    }
}

// A flat cylinder and a sphere of the same numbers are two shapes. A mesh
// keeps its first primitive's mode, and splits into chunks whose vertices
// fit 16-bit indices, each chunk's indices counting from its first vertex.
TEST(WebGLCore, ShapeCacheKeysModesAndChunks) {
    const GLCalls& gl = webCoreCalls();
    const int shapesBefore = glcore::cachedShapeCount();
    gl.solidSphere(77, 5, 4);
    GLUquadric* quadric = gl.newQuadric();
    gl.cylinder(quadric, 77, 0, 0, 5, 4);
    gl.deleteQuadric(quadric);
    EXPECT_EQ(glcore::cachedShapeCount(), shapesBefore + 2);

    glcore::ShapeMesh mesh;
    const std::vector<float> points(3 * 40000, 0.0f);
    mesh.addPrimitive(GL_TRIANGLE_STRIP, points.data(), points.data(), 40000);
    mesh.addPrimitive(GL_TRIANGLE_STRIP, points.data(), points.data(), 40000);
    mesh.addPrimitive(GL_LINE_LOOP, points.data(), points.data(), 4);
    EXPECT_EQ(mesh.mode, glcore::DrawMode::Triangles);
    EXPECT_EQ(mesh.vertexCount(), 80000);
    ASSERT_EQ(mesh.chunks.size(), 2u);
    EXPECT_EQ(mesh.chunks[1].firstVertex, 40000);
    EXPECT_EQ(mesh.chunks[1].firstIndex, mesh.chunks[0].indexCount);
    EXPECT_EQ(mesh.chunks[0].indexCount + mesh.chunks[1].indexCount,
              static_cast<int>(mesh.indices.size()));
    EXPECT_EQ(mesh.indices[mesh.chunks[1].firstIndex], 0);
}

// Draws of one mode share a command while their vertices fit 16-bit
// indices from its base vertex; an upload sends only the span that changed.
TEST(WebGLCore, CommandStreamJoinsDrawsAndUploadsChangedSpans) {
    using namespace glcore;
    FrameRecord frame;
    const std::vector<DrawVertex> vertices(65535);
    const uint32_t indices[3] = {0, 1, 2};
    recordDraw(frame, GL_TRIANGLES, vertices.data(), 40000, indices, 3);
    recordDraw(frame, GL_TRIANGLES, vertices.data(), 3, indices, 3);  // joins the first
    recordDraw(frame, GL_LINES, vertices.data(), 2, indices, 2);
    recordDraw(frame, GL_LINES, vertices.data(), 65535, indices, 2);  // beyond its base's reach
    ASSERT_EQ(frame.commands.size(), 3u * kDrawWords);
    EXPECT_EQ(frame.commands[kDrawCount], 6);
    EXPECT_EQ(frame.indices[3], 40000);
    EXPECT_EQ(frame.commands[kDrawWords + kDrawBaseVertex], 40003);
    EXPECT_EQ(frame.commands[2 * kDrawWords + kDrawBaseVertex], 40005);
    EXPECT_EQ(frame.commands[2 * kDrawWords + kDrawFirstIndex], 8);

    const std::vector<uint16_t> before = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11};
    const struct {
        std::vector<uint16_t> now;
        size_t first, end;
    } spans[] = {{before, 11, 11},
                 {{1, 2, 3, 4, 5, 6, 7, 8, 0, 10, 11}, 8, 9},
                 {{1, 0, 3, 4, 5, 6, 7, 8, 9, 0, 11}, 1, 10},
                 {{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}, 11, 12},
                 {{1, 2}, 2, 2}};
    for (const auto& span : spans) {
        size_t first = 0, end = 0;
        changedSpan(span.now, before, first, end);
        EXPECT_EQ(first, span.first);
        EXPECT_EQ(end, span.end);
    }
}

// A colour beyond [-1, 1] read as integers: the ends of the range (GL leaves
// it open; converting it unchecked is undefined behaviour, so not compared
// with Mesa).
TEST(WebGLCore, OutOfRangeColourReadAsIntegerGivesTheEnds) {
    const GLCalls& gl = webCoreCalls();
    int colour[4];
    gl.color3f(2, -3, 0.5f);
    gl.getIntegerv(GL_CURRENT_COLOR, colour);
    EXPECT_EQ(colour[0], INT_MAX);
    EXPECT_EQ(colour[1], INT_MIN);
    EXPECT_EQ(colour[2], 1073741823);
}

// A bitmap that crosses the viewport's edge draws its bits inside the window
// beyond it too, placed in window coordinates.
TEST(WebGLCore, BitmapDrawsInTheWindowBeyondTheViewport) {
    glcore::setWindowSize(800, 600);
    glcore::Context& core = glcore::context();
    core.viewport[0] = 0, core.viewport[1] = 0, core.viewport[2] = 400, core.viewport[3] = 300;
    core.raster.valid = true;
    core.raster.window[0] = 396, core.raster.window[1] = 10, core.raster.window[2] = 0.5f;
    const GLubyte row[2] = {0xff, 0xff};  // 16 pixels, the last 12 beyond x = 400
    windowPoints.clear();
    webCoreCalls().bitmap(16, 1, 0, 0, 16, 0, row);
    ASSERT_EQ(windowPoints.size(), 16u);
    EXPECT_FLOAT_EQ(windowPoints[15].position[0], (411.5f / 800) * 2 - 1);
    EXPECT_FLOAT_EQ(windowPoints[15].position[1], (10.5f / 600) * 2 - 1);
}

// A frame's calls as text: numbered from 1, two spaces a level of the
// matrix stack and inside glBegin/glEnd, enums by name, clear bits joined,
// floats and doubles in the fewest digits that read back the same number
// (1/3 as a float needs 8, as a double 16), arrays as many as the name asks,
// fonts by name, Latin-1 characters quoted as such, the quadric by name.
TEST(WebGLCore, FrameCallsWrittenAsC) {
    using namespace calls;
    CallFrame frame;
    recordCalls(&frame);
    const float position[4] = {1, 1, 1, 0}, shininess[1] = {10}, third = 1.0f / 3;
    record_glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    record_glMatrixMode(GL_MODELVIEW);
    record_glPushMatrix();
    record_glRotatef(45, 0, 1, 0);
    record_glTranslatef(third, -2.5f, 1e-7f);
    record_gluLookAt(1.0 / 3, 0.1, -0.0, 1e21, 0, 0, 0, 0, 1);
    record_glLightfv(GL_LIGHT0, GL_POSITION, position);
    record_glMaterialfv(GL_FRONT, GL_SHININESS, shininess);
    record_glBegin(GL_TRIANGLE_FAN);
    record_glVertex3i(25, -150, 0);
    record_glEnd();
    record_gluCylinder(nullptr, 20, 10, 60000, 80, 10);
    record_glutBitmapCharacter(GLUT_BITMAP_TIMES_ROMAN_24, 0xE7);
    record_glutBitmapCharacter(GLUT_BITMAP_HELVETICA_18, '\'');
    record_glPopMatrix();
    record_glPopMatrix();
    record_glutSwapBuffers();
    recordCalls(nullptr);
    EXPECT_EQ(frame.count, 17);
    EXPECT_EQ(callsText(frame), "1 glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT)\n"
                                "2 glMatrixMode(GL_MODELVIEW)\n"
                                "3 glPushMatrix()\n"
                                "4   glRotatef(45, 0, 1, 0)\n"
                                "5   glTranslatef(0.33333334, -2.5, 1e-07)\n"
                                "6   gluLookAt(0.3333333333333333, 0.1, -0, 1e+21, 0, 0, 0, 0, 1)\n"
                                "7   glLightfv(GL_LIGHT0, GL_POSITION, {1, 1, 1, 0})\n"
                                "8   glMaterialfv(GL_FRONT, GL_SHININESS, {10})\n"
                                "9   glBegin(GL_TRIANGLE_FAN)\n"
                                "10     glVertex3i(25, -150, 0)\n"
                                "11   glEnd()\n"
                                "12   gluCylinder(quadric, 20, 10, 60000, 80, 10)\n"
                                "13   glutBitmapCharacter(GLUT_BITMAP_TIMES_ROMAN_24, '\xC3\xA7')\n"
                                "14   glutBitmapCharacter(GLUT_BITMAP_HELVETICA_18, '\\'')\n"
                                "15 glPopMatrix()\n"
                                "16 glPopMatrix()\n"
                                "17 glutSwapBuffers()");
}

// A frame cut after its call k draws what GL draws for its first k calls,
// and leaves the modelview matrix and colour as GL has them then: the
// frame's calls replayed through the core from the state it started in,
// against the same calls through Mesa.
TEST(WebGLCore, FrameCutAfterAnyCallDrawsAsMesa) {
    ensureGlWindow();
    // Both start from the same colour and modelview, whatever earlier tests left.
    for (const GLCalls* gl : {&mesa, &webCoreCalls()}) {
        gl->matrixMode(GL_MODELVIEW);
        gl->loadIdentity();
        gl->color3f(1, 1, 1);
    }
    using namespace calls;
    CallFrame frame;
    recordCalls(&frame);
    record_glViewport(0, 0, 800, 600);
    record_glDisable(GL_LIGHTING);
    record_glMatrixMode(GL_PROJECTION);
    record_glLoadIdentity();
    record_gluPerspective(45, 800.0 / 600.0, 1, 100000);
    record_glMatrixMode(GL_MODELVIEW);
    record_glLoadIdentity();
    record_gluLookAt(9000, 7000, 5000, 0, 0, 0, 0, 0, 1);
    record_glPushMatrix();
    record_glRotatef(30, 0, 0, 1);
    record_glColor3f(0.9f, 0.5f, 0.2f);
    record_glBegin(GL_TRIANGLES);
    record_glVertex3i(25, 150, 25);
    record_glVertex3i(0, 50, 50);
    record_glVertex3i(50, 50, 50);
    record_glEnd();  // 16
    record_glPopMatrix();
    record_glColor3f(0, 0, 1);
    record_glutSolidSphere(1200, 20, 10);  // 19
    record_glTranslatef(-2000, 1000, 0);
    record_gluCylinder(nullptr, 200, 55, 500, 20, 4);
    record_glutWireCube(300);
    recordCalls(nullptr);
    const glcore::Context start = glcore::context();
    for (int cut : {0, 11, 16, 19, 20, 22}) {
        SCOPED_TRACE(cut);
        glcore::context() = start;
        recorded.clear();
        replayInCore(frame, cut);
        const std::vector<Recorded> shown = mesaFeedback([&] { replayCalls(frame, cut); });
        ASSERT_EQ(recorded.size(), shown.size());
        for (size_t p = 0; p < shown.size(); p++) {
            for (int k = 0; k < shown[p].vertices; k++) {
                EXPECT_NEAR(recorded[p].window[k][0], shown[p].window[k][0], 0.01);
                EXPECT_NEAR(recorded[p].window[k][1], shown[p].window[k][1], 0.01);
                for (int c = 0; c < 4; c++)
                    EXPECT_NEAR(recorded[p].front[k][c], shown[p].front[k][c], 1e-5);
            }
        }
        float mesaModelview[16], mesaColour[4];
        glGetFloatv(GL_MODELVIEW_MATRIX, mesaModelview);
        glGetFloatv(GL_CURRENT_COLOR, mesaColour);
        const glcore::MatrixStack& modelview = glcore::context().matrices.modelview;
        for (int i = 0; i < 16; i++)
            EXPECT_NEAR(modelview.entries[modelview.depth - 1].m[i], mesaModelview[i], 1e-3);
        EXPECT_EQ(std::vector<float>(glcore::context().color, glcore::context().color + 4),
                  std::vector<float>(mesaColour, mesaColour + 4));
        int depth = 1;  // back to Mesa's state before the frame
        glMatrixMode(GL_MODELVIEW);
        glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &depth);
        while (depth-- > 1) glPopMatrix();
    }
}
