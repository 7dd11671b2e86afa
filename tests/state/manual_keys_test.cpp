// Letter keys: modes, star axis, follow flags and the '+'/'-' steps, with the
// single-precision storage of the scales, and what survives a scene change.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "app/app_state.h"
#include "app/frame_loop.h"
#include "app/menus.h"
#include "input/manual_controls.h"
#include "support/gl_counters.h"
#include "support/state_text.h"

namespace {

void press(AppState& s, const char* keys) {
    for (const char* k = keys; *k; ++k) pressKey(s, static_cast<unsigned char>(*k));
}

// The scales as doubles, to compare with the single-precision values exactly.
void expectScales(const AppState& s, double value) {
    EXPECT_EQ(static_cast<double>(s.manualScaleX), value);
    EXPECT_EQ(static_cast<double>(s.manualScaleY), value);
    EXPECT_EQ(static_cast<double>(s.manualScaleZ), value);
}

}  // namespace

TEST(ManualKeys, StepsOfTheModesThatAreOn) {
    {
        SCOPED_TRACE("all three modes on: one '+' steps all three");
        AppState s;
        press(s, "ert");
        EXPECT_TRUE(s.scaleMode && s.rotateMode && s.translateMode);
        press(s, "+");
        EXPECT_EQ(s.manualOffsetZ, 100.0f);
        EXPECT_EQ(s.manualAngle, 120.0f);
        expectScales(s, 1.2000000476837158);
        EXPECT_EQ(s.manualOffsetX, 0.0f);
        EXPECT_EQ(s.manualOffsetY, 0.0f);
        press(s, "--");
        EXPECT_EQ(s.manualOffsetZ, -100.0f);
        EXPECT_EQ(s.manualAngle, 60.0f);
    }
    {
        SCOPED_TRACE("scaling adds 0.2 as a double and stores a float");
        AppState s;
        press(s, "e+");
        expectScales(s, 1.2000000476837158);
        press(s, "+");
        expectScales(s, 1.4000000953674316);
        press(s, "+");
        expectScales(s, 1.6000001430511475);
        EXPECT_EQ(s.manualAngle, 90.0f);
        EXPECT_EQ(s.manualOffsetZ, 0.0f);
    }
    {
        SCOPED_TRACE("five '-' miss zero; a sixth mirrors");
        AppState s;
        press(s, "e-----");
        expectScales(s, 3.278255533700758e-8);
        press(s, "-");
        expectScales(s, -0.19999997317790985);
    }
    {
        SCOPED_TRACE("a mode toggled twice is off again; '+' and '-' then do nothing");
        AppState s;
        press(s, "eerrtt");
        const std::string before = stateText(s);
        press(s, "+-++--+");
        EXPECT_EQ(stateText(s), before);
    }
    {
        SCOPED_TRACE("offsets x and y never change, whatever is pressed");
        AppState s;
        press(s, "etr+++-x+y-z+t++e-r--t+++asdfg+-");
        EXPECT_EQ(s.manualOffsetX, 0.0f);
        EXPECT_EQ(s.manualOffsetY, 0.0f);
    }
}

TEST(ManualKeys, AxisAndFollowFlags) {
    AppState s;
    EXPECT_EQ(s.starAxis, 'c');
    press(s, "x");
    EXPECT_EQ(s.starAxis, 97);
    press(s, "y");
    EXPECT_EQ(s.starAxis, 98);
    press(s, "z");
    EXPECT_EQ(s.starAxis, 99);

    // Each follow key toggles its own flag and nothing else.
    struct Follow {
        char key;
        bool AppState::*flag;
    };
    static const Follow follows[] = {
        {'a', &AppState::moonGroupManual},     {'s', &AppState::earthRocketManual},
        {'d', &AppState::blueSatelliteManual}, {'f', &AppState::redSatelliteManual},
        {'g', &AppState::greenSatelliteManual},
    };
    for (const Follow& f : follows) {
        SCOPED_TRACE(std::string("key ") + f.key);
        AppState t;
        AppState expected = t;
        expected.*f.flag = true;
        pressKey(t, f.key);
        EXPECT_EQ(stateText(t), stateText(expected));
        pressKey(t, f.key);
        EXPECT_EQ(stateText(t), stateText(AppState{}));
    }
}

TEST(ManualKeys, EveryOtherKeyChangesNothing) {
    // All modes on and values moved, so that any stray step would show.
    AppState start;
    press(start, "ert+asx");
    const char* handled = "ertxyzasdfg+-";
    for (int code = 0; code < 256; ++code) {
        if (code != 0 && std::strchr(handled, code)) continue;
        AppState s = start;
        pressKey(s, static_cast<unsigned char>(code));
        EXPECT_EQ(stateText(s), stateText(start)) << "key code " << code;
    }

    // Through the callback: no redisplay is asked for.
    resetGlCounters();
    appState = AppState{};
    onKeyboard('e', 10, 10);
    onKeyboard('+', 10, 10);
    EXPECT_EQ(static_cast<double>(appState.manualScaleX), 1.2000000476837158);
    EXPECT_EQ(glCounters.redisplays, 0);
    appState = AppState{};
}

TEST(ManualKeys, SceneChangeResetsModesAndValuesButNotAxisOrFlags) {
    AppState s;
    s.showIntro = false;
    s.showUniverseManual = true;
    s.resetPending = false;
    press(s, "ert+++yadg");
    ASSERT_EQ(s.manualOffsetZ, 300.0f);

    chooseScene(s, 44);  // the manual Earth scene
    ASSERT_TRUE(s.resetPending);
    resetView(s);  // what the next frame does first

    EXPECT_FALSE(s.scaleMode || s.rotateMode || s.translateMode);
    EXPECT_EQ(s.manualAngle, 90.0f);
    EXPECT_EQ(s.manualOffsetX, 0.0f);
    EXPECT_EQ(s.manualOffsetY, 0.0f);
    EXPECT_EQ(s.manualOffsetZ, 0.0f);
    expectScales(s, 1.0);
    EXPECT_EQ(s.starAxis, 'b');
    EXPECT_TRUE(s.moonGroupManual);
    EXPECT_TRUE(s.blueSatelliteManual);
    EXPECT_TRUE(s.greenSatelliteManual);
    EXPECT_FALSE(s.earthRocketManual);
    EXPECT_FALSE(s.redSatelliteManual);
}
