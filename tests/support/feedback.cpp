#include "support/feedback.h"

#include <GL/gl.h>

std::vector<std::array<Vertex, 3>> captureTriangles(const std::function<void()>& draw,
                                                    double range) {
    const int side = 2048;
    GLint viewport[4];
    glGetIntegerv(GL_VIEWPORT, viewport);
    glViewport(0, 0, side, side);
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    glOrtho(-range, range, -range, range, -range, range);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();

    std::vector<GLfloat> buffer(1 << 22);
    glFeedbackBuffer(static_cast<GLsizei>(buffer.size()), GL_3D, buffer.data());
    glRenderMode(GL_FEEDBACK);
    draw();
    const GLint used = glRenderMode(GL_RENDER);

    glPopMatrix();
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    glViewport(viewport[0], viewport[1], viewport[2], viewport[3]);

    // Window coordinates back to scene units: x and y through the viewport,
    // z through the depth range (glOrtho flips z).
    auto toScene = [&](const GLfloat* v) -> Vertex {
        return {(v[0] / side * 2 - 1) * range, (v[1] / side * 2 - 1) * range,
                -(v[2] * 2 - 1) * range};
    };
    std::vector<std::array<Vertex, 3>> triangles;
    for (GLint i = 0; i < used;) {
        const GLint token = static_cast<GLint>(buffer[i++]);
        if (token == GL_POLYGON_TOKEN) {
            const GLint count = static_cast<GLint>(buffer[i++]);
            if (count == 3) {
                triangles.push_back(
                    {toScene(&buffer[i]), toScene(&buffer[i + 3]), toScene(&buffer[i + 6])});
            }
            i += 3 * count;
        } else if (token == GL_POINT_TOKEN || token == GL_BITMAP_TOKEN ||
                   token == GL_DRAW_PIXEL_TOKEN || token == GL_COPY_PIXEL_TOKEN) {
            i += 3;
        } else if (token == GL_LINE_TOKEN || token == GL_LINE_RESET_TOKEN) {
            i += 6;
        } else if (token == GL_PASS_THROUGH_TOKEN) {
            i += 1;
        }
    }
    return triangles;
}
