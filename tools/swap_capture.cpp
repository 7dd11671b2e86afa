#include "swap_capture.h"

#include <GL/freeglut.h>

#include <algorithm>

#include "web/calls/call_recorder.h"

namespace {
long swaps = 0;
RgbImage* pending = nullptr;

void readBackBuffer(RgbImage& image) {
    GLint viewport[4] = {0, 0, 0, 0};
    glGetIntegerv(GL_VIEWPORT, viewport);
    const int width = viewport[2], height = viewport[3];
    const size_t rowBytes = static_cast<size_t>(width) * 3;
    std::vector<unsigned char> bottomUp(rowBytes * height);
    glReadBuffer(GL_BACK);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(viewport[0], viewport[1], width, height, GL_RGB, GL_UNSIGNED_BYTE,
                 bottomUp.data());
    image.width = width;
    image.height = height;
    image.pixels.resize(bottomUp.size());
    for (int row = 0; row < height; ++row)
        std::copy_n(bottomUp.data() + (height - 1 - row) * rowBytes, rowBytes,
                    image.pixels.data() + row * rowBytes);
}
}  // namespace

extern "C" void __real_glutSwapBuffers();

// It stands in for the recorder's wrapper of the swap (web/calls/), so it
// records the swap as one of the program's calls, and the reading's own GL
// calls as none.
extern "C" void __wrap_glutSwapBuffers() {
    const calls::CallScope scope;
    if (scope.recording()) calls::record_glutSwapBuffers();
    ++swaps;
    if (pending) {
        readBackBuffer(*pending);
        pending = nullptr;
    }
    __real_glutSwapBuffers();
}

long swapCount() { return swaps; }

void captureNextSwap(RgbImage* image) { pending = image; }
