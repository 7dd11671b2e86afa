// Letter keys: modes, star axis, follow flags, the '+'/'-' steps with the
// scales stored in single precision, and what survives a scene change.
#include <gtest/gtest.h>

#include <cstring>

#include "app/frame_loop.h"
#include "app/menus.h"
#include "input/manual_controls.h"
#include "support/gl_counters.h"
#include "support/state_text.h"

namespace {

AppState after(const char* keys, AppState s = AppState{}) {
    for (const char* k = keys; *k; ++k) pressKey(s, static_cast<unsigned char>(*k));
    return s;
}

// The three scales, widened to double so single-precision values compare exactly.
void expectScales(const AppState& s, double value) {
    EXPECT_EQ(double(s.manualScaleX), value);
    EXPECT_EQ(double(s.manualScaleY), value);
    EXPECT_EQ(double(s.manualScaleZ), value);
}

}  // namespace

TEST(ManualKeys, StepsOfTheModesThatAreOn) {
    const AppState all = after("ert+");  // one '+' steps all three modes
    EXPECT_EQ(all.manualOffsetZ, 100.0f);
    EXPECT_EQ(all.manualAngle, 120.0f);
    expectScales(all, 1.2000000476837158);
    EXPECT_EQ(all.manualOffsetX, 0.0f);
    EXPECT_EQ(all.manualOffsetY, 0.0f);
    EXPECT_EQ(after("--", all).manualOffsetZ, -100.0f);
    EXPECT_EQ(after("--", all).manualAngle, 60.0f);

    // 0.2 is added as a double and each result stored as a float.
    expectScales(after("e++"), 1.4000000953674316);
    expectScales(after("e+++"), 1.6000001430511475);
    expectScales(after("e-----"), 3.278255533700758e-8);
    expectScales(after("e------"), -0.19999997317790985);
    EXPECT_EQ(after("e+++").manualAngle, 90.0f);

    // Modes toggled twice are off: the steps then change nothing.
    EXPECT_EQ(stateText(after("eerrtt+-++")), stateText(after("eerrtt")));
    // The x and y offsets never change.
    const AppState mixed = after("etr+++-x+y-z+t++e-r--t+++asdfg+-");
    EXPECT_EQ(mixed.manualOffsetX, 0.0f);
    EXPECT_EQ(mixed.manualOffsetY, 0.0f);
}

TEST(ManualKeys, AxisKeysAndFollowFlags) {
    EXPECT_EQ(after("x").starAxis, 97);
    EXPECT_EQ(after("y").starAxis, 98);
    EXPECT_EQ(after("xz").starAxis, 99);
    // Each follow key toggles its own flag only.
    const struct {
        const char* key;
        bool AppState::*flag;
    } follows[] = {{"a", &AppState::moonGroupManual},
                   {"s", &AppState::earthRocketManual},
                   {"d", &AppState::blueSatelliteManual},
                   {"f", &AppState::redSatelliteManual},
                   {"g", &AppState::greenSatelliteManual}};
    for (const auto& f : follows) {
        AppState expected;
        expected.*f.flag = true;
        EXPECT_EQ(stateText(after(f.key)), stateText(expected)) << "key " << f.key;
        EXPECT_EQ(stateText(after(f.key, after(f.key))), stateText(AppState{}));
    }
}

TEST(ManualKeys, EveryOtherKeyChangesNothing) {
    // With all modes on and values moved, so that a stray step would show;
    // upper-case letters included.
    const AppState start = after("ert+asx");
    for (int code = 0; code < 256; ++code) {
        if (code != 0 && std::strchr("ertxyzasdfg+-", code)) continue;
        AppState s = start;
        pressKey(s, static_cast<unsigned char>(code));
        EXPECT_EQ(stateText(s), stateText(start)) << "key code " << code;
    }

    // The callback asks for no redisplay.
    resetGlCounters();
    appState = AppState{};
    onKeyboard('e', 10, 10);
    EXPECT_TRUE(appState.scaleMode);
    EXPECT_EQ(glCounters.redisplays, 0);
    appState = AppState{};
}

TEST(ManualKeys, SceneChangeResetsModesAndValuesButNotAxisOrFlags) {
    AppState s = after("ert+++yadg");
    chooseScene(s, 44);
    ASSERT_TRUE(s.resetPending);
    resetView(s);  // what the next frame runs first

    EXPECT_FALSE(s.scaleMode || s.rotateMode || s.translateMode);
    EXPECT_EQ(s.manualAngle, 90.0f);
    EXPECT_EQ(s.manualOffsetZ, 0.0f);
    expectScales(s, 1.0);
    EXPECT_EQ(s.starAxis, 'b');
    EXPECT_TRUE(s.moonGroupManual && s.blueSatelliteManual && s.greenSatelliteManual);
    EXPECT_FALSE(s.earthRocketManual || s.redSatelliteManual);
}
