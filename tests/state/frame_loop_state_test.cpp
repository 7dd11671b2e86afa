// Start values, the view reset and the idle tick, without a window.
#include <gtest/gtest.h>

#include "app/frame_loop.h"
#include "app/menus.h"
#include "state/app_state.h"
#include "support/gl_counters.h"

namespace {

// A state with every field moved away from its start value.
AppState scrambledState() {
    AppState s;
    s.windowWidth = 321;
    s.windowHeight = 123;
    s.aspectRatio = 2.5;
    s.fovY = 75;
    s.eyeX = 1;
    s.eyeY = 2;
    s.eyeZ = 3;
    s.centerX = 4;
    s.centerY = 5;
    s.centerZ = 6;
    s.spinAngle = 77;
    s.matrixAngle = 8;
    s.starBlink = false;
    s.strideFlag = false;
    s.armSwing = 10;
    s.armSpread = -40;
    s.starAxis = 'a';
    s.rotateMode = s.translateMode = s.scaleMode = true;
    s.manualAngle = 150;
    s.manualOffsetX = 1;
    s.manualOffsetY = 2;
    s.manualOffsetZ = 300;
    s.manualScaleX = s.manualScaleY = s.manualScaleZ = 1.4f;
    s.moonGroupManual = s.earthRocketManual = s.blueSatelliteManual = true;
    s.greenSatelliteManual = s.redSatelliteManual = true;
    s.axesOn = s.lightOn = false;
    s.starsSteady = true;
    s.showIntro = false;
    s.showEarthManual = true;
    s.resetPending = false;
    return s;
}

// The values the view reset restores, which are also the start values:
// clocks, manual transform and modes, camera.
// The fields a view reset restores equal `start`'s.
void expectSameView(const AppState& s, const AppState& start) {
    using A = AppState;
    for (float A::*f :
         {&A::spinAngle, &A::matrixAngle, &A::manualAngle, &A::manualOffsetX, &A::manualOffsetY,
          &A::manualOffsetZ, &A::manualScaleX, &A::manualScaleY, &A::manualScaleZ})
        EXPECT_EQ(s.*f, start.*f);
    for (double A::*f : {&A::eyeX, &A::eyeY, &A::eyeZ, &A::centerX, &A::centerY, &A::centerZ})
        EXPECT_EQ(s.*f, start.*f);
    for (bool A::*f : {&A::rotateMode, &A::translateMode, &A::scaleMode}) EXPECT_EQ(s.*f, start.*f);
}

void expectViewDefaults(const AppState& s) {
    EXPECT_EQ(s.spinAngle, 0.0f);
    EXPECT_EQ(s.matrixAngle, 0.0f);
    EXPECT_EQ(s.manualAngle, 90.0f);
    EXPECT_EQ(s.manualOffsetX, 0.0f);
    EXPECT_EQ(s.manualOffsetY, 0.0f);
    EXPECT_EQ(s.manualOffsetZ, 0.0f);
    EXPECT_EQ(s.manualScaleX, 1.0f);
    EXPECT_EQ(s.manualScaleY, 1.0f);
    EXPECT_EQ(s.manualScaleZ, 1.0f);
    EXPECT_FALSE(s.rotateMode || s.translateMode || s.scaleMode);
    EXPECT_EQ(s.eyeX, 5000.0);
    EXPECT_EQ(s.eyeY, 5000.0);
    EXPECT_EQ(s.eyeZ, 3500.0);
    EXPECT_EQ(s.centerX, 0.0);
    EXPECT_EQ(s.centerY, 0.0);
    EXPECT_EQ(s.centerZ, 2.0);
}

TEST(StartState, MatchesTheDocumentedStartValues) {
    const AppState s;
    expectViewDefaults(s);
    EXPECT_EQ(s.windowWidth, 800);
    EXPECT_EQ(s.windowHeight, 600);
    EXPECT_EQ(s.zNear, 300.0);
    EXPECT_EQ(s.zFar, 30000.0);
    EXPECT_EQ(s.aspectRatio, 1.0);
    EXPECT_EQ(s.fovY, 50.0);
    EXPECT_TRUE(s.starBlink);
    EXPECT_TRUE(s.strideFlag);
    EXPECT_EQ(s.armSwing, 0);
    EXPECT_EQ(s.armSpread, 0);
    EXPECT_EQ(s.starAxis, 99);
    EXPECT_FALSE(s.moonGroupManual || s.earthRocketManual || s.blueSatelliteManual ||
                 s.greenSatelliteManual || s.redSatelliteManual);
    EXPECT_TRUE(s.axesOn);
    EXPECT_TRUE(s.lightOn);
    EXPECT_FALSE(s.starsSteady);
    EXPECT_FALSE(s.showUniverseAuto || s.showUniverseManual || s.showEarthAuto ||
                 s.showEarthManual || s.showMatrixUniverse || s.showFarewell);
    EXPECT_TRUE(s.showIntro);
    EXPECT_TRUE(s.resetPending);
    // Flags are one byte holding 0 or 1.
    EXPECT_EQ(sizeof(s.showIntro), 1u);
}

TEST(ResetView, RestoresClocksManualTransformAndCameraOnly) {
    AppState s = scrambledState();
    const AppState before = s;
    resetView(s);

    expectSameView(s, AppState{});

    // Everything else keeps its value.
    EXPECT_EQ(s.fovY, before.fovY);
    EXPECT_EQ(s.windowWidth, before.windowWidth);
    EXPECT_EQ(s.windowHeight, before.windowHeight);
    EXPECT_EQ(s.aspectRatio, before.aspectRatio);
    EXPECT_EQ(s.starAxis, 'a');
    EXPECT_TRUE(s.moonGroupManual && s.earthRocketManual && s.blueSatelliteManual &&
                s.greenSatelliteManual && s.redSatelliteManual);
    EXPECT_FALSE(s.axesOn || s.lightOn);
    EXPECT_TRUE(s.starsSteady);
    EXPECT_FALSE(s.starBlink);
    EXPECT_FALSE(s.strideFlag);
    EXPECT_EQ(s.armSwing, 10);
    EXPECT_EQ(s.armSpread, -40);
    EXPECT_TRUE(s.showEarthManual);
    EXPECT_FALSE(s.showIntro);
    EXPECT_FALSE(s.resetPending);
}

// Which clock one idle tick moves, scene by scene.
TEST(IdleTick, AdvancesOnlyTheClockOfTheSceneShown) {
    struct Case {
        int sceneValue;
        bool spins;
        bool matrixTurns;
    };
    const Case cases[] = {
        {41, true, false},   // automatic Universe
        {42, false, false},  // manual Universe
        {43, true, false},   // automatic Earth
        {44, false, false},  // manual Earth
        {45, false, true},   // matrix Universe
        {46, false, false},  // intro
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.sceneValue);
        AppState s;
        chooseScene(s, c.sceneValue);
        s.spinAngle = 10.0f;
        s.matrixAngle = 1.0f;
        advanceClocks(s);
        EXPECT_EQ(s.spinAngle, c.spins ? 10.5f : 10.0f);
        EXPECT_EQ(s.matrixAngle, c.matrixTurns ? static_cast<float>(1.0f + 0.01) : 1.0f);
        EXPECT_FALSE(s.starBlink);  // flipped on every tick, everywhere
        EXPECT_EQ(s.strideFlag, !c.spins);
        EXPECT_EQ(s.armSwing, c.spins ? -10 : 0);
        EXPECT_EQ(s.armSpread, c.spins ? 40 : 0);
    }
}

TEST(IdleTick, StrideAlternatesAndClocksAccumulateInFloat) {
    AppState s;
    chooseScene(s, 43);
    const int swings[] = {-10, 10, -10, 10};
    const int spreads[] = {40, -40, 40, -40};
    for (int tick = 0; tick < 4; ++tick) {
        advanceClocks(s);
        EXPECT_EQ(s.armSwing, swings[tick]);
        EXPECT_EQ(s.armSpread, spreads[tick]);
        EXPECT_EQ(s.starBlink, tick % 2 == 1);
    }
    EXPECT_EQ(s.spinAngle, 2.0f);

    // The matrix clock adds 0.01 in double and stores a float every tick.
    AppState m;
    chooseScene(m, 45);
    float expected = 0.0f;
    for (int tick = 0; tick < 1000; ++tick) {
        advanceClocks(m);
        expected = static_cast<float>(expected + 0.01);
    }
    EXPECT_EQ(m.matrixAngle, expected);
}

TEST(IdleTick, RequestsARedisplayEveryTime) {
    resetGlCounters();
    appState = AppState{};
    for (int i = 0; i < 3; ++i) onIdle();
    EXPECT_EQ(glCounters.redisplays, 3);
    EXPECT_FALSE(appState.starBlink);
}

}  // namespace
