// Drawing one frame of a scene and looking at it: the recorded calls, the GL
// state it leaves, and small patches of the picture it shows.
#pragma once

#include <gtest/gtest.h>

#include <GL/gl.h>

#include <array>
#include <string>
#include <vector>

#include "support/gl_counters.h"
#include "support/gl_window.h"

// Makes `scene` the one scene shown, without the view reset of a menu choice.
inline void showScene(bool AppState::*scene) {
    appState.showIntro = false;
    appState.resetPending = false;
    appState.*scene = true;
}

// One frame through the display callback, its drawing calls recorded and
// not rasterised.
inline void recordFrame() {
    startDrawLog(DrawMode::RecordOnly);
    EXPECT_EQ(drawFrame(), unsigned(GL_NO_ERROR));
    stopDrawLog();
}

// One real frame, which must swap once and leave GL as it found it.
inline void renderCleanFrame() {
    const int modelview = modelviewDepth(), projection = projectionDepth(), attrib = attribDepth();
    resetGlCounters();
    EXPECT_EQ(drawFrame(), unsigned(GL_NO_ERROR));
    EXPECT_EQ(glCounters.swaps, 1);
    EXPECT_EQ(glCounters.quadricsMade, glCounters.quadricsFreed);
    EXPECT_EQ(modelviewDepth(), modelview);
    EXPECT_EQ(projectionDepth(), projection);
    EXPECT_EQ(attribDepth(), attrib);
}

inline void expectNear(const std::array<double, 3>& actual, const std::array<double, 3>& expected,
                       double tol, const std::string& what) {
    for (int i = 0; i < 3; ++i)
        EXPECT_NEAR(actual[i], expected[i], tol) << what << ", coordinate " << i;
}

using Rgb = std::array<int, 3>;

// The pixels of the square of side 2 * half + 1 centred on `at`, which must
// lie inside the 800 x 600 window (outside it a read proves nothing).
inline std::vector<Rgb> pixelsAround(const std::array<double, 2>& at, int half) {
    EXPECT_TRUE(at[0] - half >= 0 && at[0] + half < 800 && at[1] - half >= 0 && at[1] + half < 600)
        << "probe at (" << at[0] << ", " << at[1] << ") leaves the window";
    const WindowPicture picture = grabWindow();
    std::vector<Rgb> out;
    for (int dy = -half; dy <= half; ++dy)
        for (int dx = -half; dx <= half; ++dx)
            out.push_back(picture.at(int(at[0]) + dx, int(at[1]) + dy));
    return out;
}

inline int countOf(const std::vector<Rgb>& pixels, const Rgb& colour) {
    int n = 0;
    for (const Rgb& p : pixels) n += (p == colour);
    return n;
}
