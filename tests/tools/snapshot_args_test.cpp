// The snapshot command line, read and fed through the viewer's handlers.
#include <gtest/gtest.h>

#include "snapshot_args.h"
#include "state/app_state.h"

namespace {
SnapshotRequest parse(const std::vector<std::string>& args, std::string& error) {
    SnapshotRequest request;
    error = parseSnapshotArgs(args, request);
    return request;
}
}  // namespace

TEST(SnapshotArgs, StepsReachTheStateTheMenusAndKeysWould) {
    std::string error;
    const SnapshotRequest request =
        parse({"--screen", "earth-manual", "--stars", "steady", "--axes", "off", "--light", "off",
               "--keys", "as", "--special", "F7,F7,F1", "--ticks", "12", "--size", "640x480",
               "--out", "x.png"},
              error);
    ASSERT_EQ(error, "");
    EXPECT_EQ(request.ticks, 12);
    EXPECT_EQ(request.width, 640);
    EXPECT_EQ(request.height, 480);
    EXPECT_EQ(request.output, "x.png");

    AppState state;
    for (const Step& step : request.steps) applyStep(state, step);
    EXPECT_TRUE(state.showEarthManual);
    EXPECT_FALSE(state.showIntro);
    EXPECT_TRUE(state.resetPending);
    EXPECT_TRUE(state.starsSteady);
    EXPECT_FALSE(state.axesOn);
    EXPECT_FALSE(state.lightOn);
    EXPECT_TRUE(state.moonGroupManual);    // a
    EXPECT_TRUE(state.earthRocketManual);  // s
    EXPECT_DOUBLE_EQ(state.fovY, 25.0);    // two zooms in from 50: the second stops at 25
    EXPECT_DOUBLE_EQ(state.eyeZ, 3550.0);  // F1 raises the eye by 50
    EXPECT_DOUBLE_EQ(state.centerZ, 52.0);

    // Order matters: the later choice wins, as in the live menus.
    const SnapshotRequest twice =
        parse({"--stars", "steady", "--stars", "blink", "--screen", "matrix-universe", "--screen",
               "farewell", "--out", "x.png"},
              error);
    AppState after;
    for (const Step& step : twice.steps) applyStep(after, step);
    EXPECT_FALSE(after.starsSteady);
    EXPECT_TRUE(after.showFarewell);
    EXPECT_FALSE(after.showMatrixUniverse);

    // The defaults: the start-up state, the intro, 800 x 600.
    const SnapshotRequest plain = parse({"--out", "x.png"}, error);
    EXPECT_EQ(error, "");
    EXPECT_TRUE(plain.steps.empty());
    EXPECT_EQ(plain.ticks, 0);
    EXPECT_EQ(plain.width, 800);
    EXPECT_EQ(plain.height, 600);
    parse({"--help"}, error);
    EXPECT_EQ(error, "");
}
