// Randomised storms of events through the viewer's own callbacks: every
// key code, every special-key code, menu values inside and outside every
// table, idle ticks and odd window sizes, with a frame drawn between bursts
// in every screen. After every frame the viewer must still be sound.
//
// The seed is new on every run and printed with any failure; set
// UNIVERSE_STORM_SEED to replay one.
#include <GL/freeglut.h>

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <deque>
#include <random>
#include <sstream>

#include "app/frame_loop.h"
#include "app/menus.h"
#include "input/camera.h"
#include "input/manual_controls.h"
#include "state/app_state.h"
#include "support/gl_test.h"
#include "support/screen_frame.h"

namespace {

// The seven screens, in the order of the display callback.
const char* const screenNames[7] = {"Universe auto", "Universe manual", "Earth auto",
                                    "Earth manual",  "matrix Universe", "intro",
                                    "farewell"};

bool AppState::*const screenFlags[7] = {
    &AppState::showUniverseAuto, &AppState::showUniverseManual, &AppState::showEarthAuto,
    &AppState::showEarthManual,  &AppState::showMatrixUniverse, &AppState::showIntro,
    &AppState::showFarewell};

// Every value the four menu tables carry, and values next to and far from
// them; each handler gets all of them, so most are foreign to it.
const int menuValues[] = {0,  1,  2,  3,  4,  5,  6,  11,  12,  13,   14,      15,     16, 17,
                          18, 19, 20, 21, 22, 23, 24, 25,  26,  27,   28,      29,     30, 31,
                          41, 42, 43, 44, 45, 46, 70, 71,  72,  73,   74,      75,     76, -1,
                          7,  10, 32, 40, 47, 69, 77, 255, 256, 1000, INT_MIN, INT_MAX};

// Window sizes GLUT could hand over, the edge ones included.
const int reshapeSizes[][2] = {{800, 600},  {1, 1},     {4096, 4096}, {640, 0},
                               {0, 480},    {0, 0},     {1, 4096},    {4096, 1},
                               {1024, 512}, {37, 1999}, {1920, 1200}, {2, 3}};

unsigned long stormSeed() {
    if (const char* fixed = std::getenv("UNIVERSE_STORM_SEED"))
        return std::strtoul(fixed, nullptr, 10);
    return std::random_device{}();
}

int screenShown() {
    for (int i = 0; i < 7; ++i)
        if (appState.*screenFlags[i]) return i;
    return -1;
}

int screensSet() {
    int set = 0;
    for (bool AppState::*flag : screenFlags) set += appState.*flag ? 1 : 0;
    return set;
}

bool finite(const Mat4& m) {
    return std::all_of(m.begin(), m.end(), [](double v) { return std::isfinite(v); });
}

// The state values that feed the camera, the projection and the drawing.
std::string nonFiniteState() {
    const AppState& s = appState;
    const std::pair<const char*, double> values[] = {{"eyeX", s.eyeX},
                                                     {"eyeY", s.eyeY},
                                                     {"eyeZ", s.eyeZ},
                                                     {"centerX", s.centerX},
                                                     {"centerY", s.centerY},
                                                     {"centerZ", s.centerZ},
                                                     {"fovY", s.fovY},
                                                     {"aspectRatio", s.aspectRatio},
                                                     {"spinAngle", s.spinAngle},
                                                     {"matrixAngle", s.matrixAngle},
                                                     {"manualAngle", s.manualAngle},
                                                     {"manualOffsetZ", s.manualOffsetZ},
                                                     {"manualScaleX", s.manualScaleX}};
    std::string bad;
    for (const auto& [name, value] : values)
        if (!std::isfinite(value)) bad += std::string(name) + " ";
    return bad;
}

// One storm: events from a seeded generator, remembered for the report.
class Storm {
public:
    explicit Storm(unsigned long seed) : random_(seed) {
        // Every key and special code at least once, dealt out over the run.
        for (int k = 0; k < 256; ++k) keysLeft_.push_back(k);
        for (int k = -3; k <= 260; ++k) specialsLeft_.push_back(k);
        specialsLeft_.push_back(INT_MIN);
        specialsLeft_.push_back(INT_MAX);
        std::shuffle(keysLeft_.begin(), keysLeft_.end(), random_);
        std::shuffle(specialsLeft_.begin(), specialsLeft_.end(), random_);
    }

    int pick(int count) { return std::uniform_int_distribution<int>(0, count - 1)(random_); }

    // Chooses `screen` the way the menus do.
    void choose(int screen) {
        if (screen == 6) {
            note("main menu 0");
            onMainMenu(0);
        } else {
            note("scene menu " + std::to_string(41 + screen));
            onSceneMenu(41 + screen);
        }
        ++menuEvents;
    }

    // One random event through the viewer's own callbacks.
    void event() {
        ++events;
        const int roll = pick(100);
        if (roll < 40) {
            // The keys that act come up more often than chance gives them.
            int key = pick(256);
            if (roll < 15) {
                key = "erxyzt+-asdfg"[pick(13)];
            } else if (!keysLeft_.empty()) {
                key = keysLeft_.back();
                keysLeft_.pop_back();
            }
            note("key " + std::to_string(key));
            onKeyboard(static_cast<unsigned char>(key), pick(800), pick(600));
        } else if (roll < 70) {
            // Mostly the codes GLUT sends, F1 to F12 and the arrows and
            // paging keys, and over the run every code near them.
            int code = 1 + pick(12);
            if (roll < 50) {
                code = 100 + pick(9);
            } else if (roll >= 60 && !specialsLeft_.empty()) {
                code = specialsLeft_.back();
                specialsLeft_.pop_back();
            }
            note("special " + std::to_string(code));
            onSpecialKey(code, pick(800), pick(600));
        } else if (roll < 85) {
            note("idle");
            onIdle();
            ++redisplayEvents;
        } else if (roll < 92) {
            const int* size = reshapeSizes[pick(sizeof reshapeSizes / sizeof *reshapeSizes)];
            note("reshape " + std::to_string(size[0]) + "x" + std::to_string(size[1]));
            onReshape(size[0], size[1]);
        } else {
            const int value = menuValues[pick(sizeof menuValues / sizeof *menuValues)];
            static void (*const handlers[])(int) = {onSceneMenu, onMainMenu, onOptionsMenu,
                                                    onHelpMenu};
            static const char* const names[] = {"scene", "main", "options", "help"};
            // Scene and exit choices are kept rarer, so bursts mostly stay
            // in the screen that the round chose.
            int which = 2 + pick(2);
            if (roll >= 98) which = pick(2);
            note(std::string(names[which]) + " menu " + std::to_string(value));
            handlers[which](value);
            ++menuEvents;
        }
    }

    std::string recent() const {
        std::string out;
        for (const std::string& e : recent_) out += e + "; ";
        return out;
    }

    bool allCodesFed() const { return keysLeft_.empty() && specialsLeft_.empty(); }

    long events = 0;
    long menuEvents = 0;       // each requests one redisplay
    long redisplayEvents = 0;  // idle ticks, which request one too

private:
    void note(const std::string& e) {
        recent_.push_back(e);
        if (recent_.size() > 12) recent_.pop_front();
    }

    std::mt19937 random_;
    std::vector<int> keysLeft_, specialsLeft_;
    std::deque<std::string> recent_;
};

}  // namespace

class EventStorm : public GlTest {};

TEST_F(EventStorm, EveryScreenStaysSoundUnderRandomEvents) {
    const unsigned long seed = stormSeed();
    SCOPED_TRACE("storm seed " + std::to_string(seed) +
                 " (replay: UNIVERSE_STORM_SEED=" + std::to_string(seed) + ")");
    Storm storm(seed);

    // Most frames only record the drawing calls (the spheres, cones, cubes
    // and cylinders are not rasterised); the first rounds draw for real.
    const int rounds = 150, realRounds = 4;
    int framesPerScreen[7] = {};
    int frames = 0, realFrames = 0;
    for (int round = 0; round < rounds; ++round) {
        int order[7] = {0, 1, 2, 3, 4, 5, 6};
        for (int i = 6; i > 0; --i) std::swap(order[i], order[storm.pick(i + 1)]);
        for (int screen : order) {
            storm.choose(screen);
            const int burst = 1 + storm.pick(60);
            for (int i = 0; i < burst; ++i) storm.event();

            const int shown = screenShown();
            ASSERT_EQ(screensSet(), 1) << "before a frame; last events: " << storm.recent();
            ASSERT_EQ(glGetError(), unsigned(GL_NO_ERROR)) << "after events: " << storm.recent();
            const int swaps = glCounters.swaps;
            startDrawLog(round < realRounds ? DrawMode::Record : DrawMode::RecordOnly);
            const unsigned error = drawScreenFrame();
            const std::string context = std::string("frame ") + std::to_string(frames) + " of " +
                                        screenNames[shown] + "; last events: " + storm.recent();

            ASSERT_EQ(error, unsigned(GL_NO_ERROR)) << context;
            ASSERT_EQ(screensSet(), 1) << context;
            ASSERT_FALSE(appState.resetPending) << context;
            ASSERT_EQ(glCounters.swaps, swaps + 1) << context;
            ASSERT_EQ(modelviewDepth(), 1) << context;
            ASSERT_EQ(projectionDepth(), 1) << context;
            GLint mode = 0;
            glGetIntegerv(GL_MATRIX_MODE, &mode);
            ASSERT_EQ(mode, GL_MODELVIEW) << context;
            ASSERT_EQ(nonFiniteState(), "") << context;
            ASSERT_TRUE(finite(currentProjection())) << context;
            for (const DrawCall& call : drawLog())
                ASSERT_TRUE(finite(call.modelview)) << call.kind << " in " << context;
            ASSERT_EQ(glCounters.quadricsMade, glCounters.quadricsFreed) << context;
            ASSERT_EQ(glCounters.redisplays, storm.menuEvents + storm.redisplayEvents) << context;

            ++frames;
            ++framesPerScreen[shown];
            if (round < realRounds) ++realFrames;
        }
    }
    stopDrawLog();

    EXPECT_TRUE(storm.allCodesFed());
    for (int i = 0; i < 7; ++i) EXPECT_GE(framesPerScreen[i], rounds / 2) << screenNames[i];
    std::ostringstream summary;
    summary << storm.events << " events, " << frames << " frames (" << realFrames
            << " rasterised):";
    for (int i = 0; i < 7; ++i) summary << " " << screenNames[i] << " " << framesPerScreen[i];
    RecordProperty("storm", summary.str());
    std::printf("[ storm    ] seed %lu: %s\n", seed, summary.str().c_str());
}
