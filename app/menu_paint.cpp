// Makes freeglut's pop-up menus paint whole the first time they open.
//
// Why: freeglut 3.4 creates each menu window at 300 x 300 and makes the
// window's GL context current at once (fgPlatformOpenWindow), so the GL
// driver sizes the window's colour buffers 300 x 300. When a menu opens,
// freeglut resizes its window to the menu's size, maps it and paints it once
// (fgDisplayMenu on the Expose). Mesa's software GLX (drisw: llvmpipe on a
// virtual X server, or any server without DRI3) reads a window's size again
// only after a buffer swap; resizing, glViewport and making the context
// current again do not. So that first paint goes into the old 300 x 300
// buffers and its swap shows a black box, a grey strip or a 300 x 300 corner
// of the menu; only the next paint, when the pointer moves inside the menu,
// is whole. The viewport is right all along: freeglut sets it on the resize.
//
// What: this file defines glOrtho, so the call freeglut makes to set each
// menu's projection, glOrtho(0, width, height, 0, -1, 1) at the start of
// fgDisplayMenu, comes here before it goes on to libGL unchanged. When that
// projection is for a menu window (freeglut's only override-redirect windows)
// at a size the window has not been painted at, the old buffer is swapped
// out once first: the driver then reads the window's new size, and the menu
// drawn next fills buffers of the right size. The old buffer shows only for
// the few milliseconds the menu takes to draw. A freeglut or driver without
// the fault costs one extra swap per menu size and nothing else.
//
// Only the viewer's executable links this file, and the viewer itself never
// calls glOrtho: its own frames go through none of this.
#include <GL/gl.h>
#include <GL/glx.h>
#include <X11/Xlib.h>
#include <dlfcn.h>

#include <map>
#include <utility>

namespace {

using OrthoFunction = void (*)(GLdouble, GLdouble, GLdouble, GLdouble, GLdouble, GLdouble);

// The size each window was last given a menu projection at.
std::map<GLXDrawable, std::pair<int, int>> paintedSizes;

bool isMenuWindow(Display* display, GLXDrawable drawable) {
    XWindowAttributes attributes;
    return XGetWindowAttributes(display, drawable, &attributes) && attributes.override_redirect;
}

// Before the first menu paint at a new size, one swap makes the driver read
// the window's size.
void makeDriverReadMenuSize(int width, int height) {
    Display* display = glXGetCurrentDisplay();
    const GLXDrawable drawable = glXGetCurrentDrawable();
    if (!display || drawable == None) return;
    const std::pair<int, int> size{width, height};
    const auto known = paintedSizes.find(drawable);
    if (known != paintedSizes.end() && known->second == size) return;
    paintedSizes[drawable] = size;
    if (isMenuWindow(display, drawable)) glXSwapBuffers(display, drawable);
}

}  // namespace

extern "C" void glOrtho(GLdouble left, GLdouble right, GLdouble bottom, GLdouble top,
                        GLdouble zNear, GLdouble zFar) {
    static const auto libraryOrtho = reinterpret_cast<OrthoFunction>(dlsym(RTLD_NEXT, "glOrtho"));
    // freeglut's menu projection: pixels, y down from the top-left corner.
    if (left == 0 && top == 0 && right >= 1 && bottom >= 1 && zNear == -1 && zFar == 1)
        makeDriverReadMenuSize(static_cast<int>(right), static_cast<int>(bottom));
    if (libraryOrtho) libraryOrtho(left, right, bottom, top, zNear, zFar);
}
