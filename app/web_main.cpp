// The viewer in the browser: the same start-up as app/main.cpp on the page's
// canvas, then the steps of the page's address (app/address: parseAddress),
// each followed by a frame as universe-snapshot draws them, then the event
// loop. The address's frames are played a slice per browser frame, so that
// the page answers throughout; only the last of them is drawn, the others
// run unseen (they may change the state). The farewell screen cannot end a
// process here: once shown, it ignores input for its ten seconds, then stops
// the animation and the page says the program has ended; an address that
// passes through it to another screen never shows it, so the page runs on.
//
// The page keeps a record of the scene shown (the keys and ticks since it
// began) for the address that brings the picture back (universeShareQuery),
// and the state the frame shown was drawn from, to draw it again for the
// list of its calls. A page around an embedded viewer may send more of the
// address's steps while it runs (universeApplyHostAddress): they are played
// the same way, from the picture shown.
#include <GL/freeglut.h>
#include <emscripten.h>

#include <string>
#include <vector>

#include "app/address.h"
#include "app/frame_loop.h"
#include "app/key_bar.h"
#include "app/menus.h"
#include "app/options.h"
#include "app/screens.h"
#include "app/window.h"
#include "input/camera.h"
#include "input/manual_controls.h"
#include "scenes/text_screens.h"
#include "state/app_state.h"
#include "web/glut/glut_web.h"

namespace {

// How long the farewell screen stays before the program ends, as on the
// desktop.
const int farewellMs = 10000;

// The longest slice of the address's frames played in one browser frame.
const double sliceMs = 40.0;

AddressRequest request;
StepPlayback playback;
long framesPlayed = 0;
long framesInAll = 1;
bool addressPlayed = false;
SceneRecord record;

bool farewellStarted = false;
// False while an address's frame that nobody sees is drawn.
bool frameSeen = true;

// The parameters the page reads itself (page.js: the embedded view, WebGL 1
// asked for), which the viewer passes over without a note.
const char* const pageParameters[] = {"embed", "start", "webgl"};

void endProgram(void*) { glutWebEnd(); }

void noteIgnored(const AddressRequest& asked) {
    for (const std::string& name : asked.ignored) {
        bool page = false;
        for (const char* own : pageParameters) page = page || name == own;
        if (!page)
            glutWebNote(("Universo 3D: o par\xE2metro " + quotedArgument(name) +
                         " do endere\xE7o n\xE3o \xE9 conhecido e foi ignorado.")
                            .c_str());
    }
}

// The farewell picture, then its period: input ignored and the loop held,
// without blocking the page; then the program ends.
void drawFarewellWeb() {
    drawFarewellFrame();
    if (farewellStarted || !frameSeen) return;
    farewellStarted = true;
    glutWebHold(true);
    emscripten_async_call(endProgram, nullptr, farewellMs);
}

// The state the frame shown was drawn from.
AppState stateBeforeShownFrame;

// A pending view reset means a scene was chosen: its record starts, and a
// message about the address goes.
void onWebDisplay() {
    stateBeforeShownFrame = appState;
    if (appState.resetPending) {
        beginSceneRecord(record, appState);
        if (addressPlayed) glutWebClearError();
    }
    displayFrame(drawFarewellWeb);
}

// Draws the frame shown once more, for the page's list of its calls: from
// the state it was drawn from, which is then put back as it is now, since
// drawing changes some of it (the manual Earth's stride, the text screens'
// axes and light, the steady stars' phase, a pending view reset).
void redrawShownFrame() {
    const AppState now = appState;
    appState = stateBeforeShownFrame;
    displayFrame(drawFarewellFrame);
    appState = now;
}

void onWebKeyboard(unsigned char key, int x, int y) {
    onKeyboard(key, x, y);
    noteStep(record, {Step::Key, key});
}

void onWebSpecialKey(int key, int x, int y) {
    onSpecialKey(key, x, y);
    noteStep(record, {Step::Special, key});
}

void onWebIdle() {
    onIdle();
    noteStep(record, {Step::Ticks, 1});
}

// Plays the address's frames for up to sliceMs; the last one is drawn.
// True when all are played.
bool playAddressSlice() {
    const double until = emscripten_get_now() + sliceMs;
    do {
        if (framesPlayed > 0) {
            Step applied{};
            applyNextStep(appState, request.steps, playback, applied);
            noteStep(record, applied);
        }
        ++framesPlayed;
        frameSeen = framesPlayed == framesInAll;
        glutWebDisplayNow(frameSeen);
    } while (framesPlayed < framesInAll && emscripten_get_now() < until);
    frameSeen = true;
    glutWebShowProgress(framesPlayed, framesInAll);
    if (framesPlayed < framesInAll) return false;
    addressPlayed = true;
    glutWebSetReady();
    return true;
}

}  // namespace

// The address that brings the page back to the picture it shows, for the
// page's share button: "?scene=...".
extern "C" EMSCRIPTEN_KEEPALIVE const char* universeShareQuery() {
    static std::string query;
    query = "?" + shareQuery(appState, record, glutWebPaused(), request.width, request.height);
    return query.c_str();
}

// The name of the screen shown, for the page's host.
extern "C" EMSCRIPTEN_KEEPALIVE const char* universeSceneName() {
    return shownScreen(appState).name;
}

// Steps from the page's host (window.universePage.hostQuery, an address's
// query): read as the page's address is and played after those not played
// yet, from the picture shown; pause pauses, a size is the page's own. A
// bad query changes nothing and its message shows (window.universe.error)
// until a scene is chosen. Returns 1 when the steps are taken, else 0.
extern "C" EMSCRIPTEN_KEEPALIVE int universeApplyHostAddress() {
    AddressRequest asked;
    const std::string wrong =
        parseAddress(emscripten_run_script_string("window.universePage.hostQuery"), asked);
    noteIgnored(asked);
    if (!wrong.empty()) {
        glutWebShowError(
            ("N\xE3o percebi o pedido da p\xE1gina, por isso a imagem fica como estava: " + wrong)
                .c_str());
        return 0;
    }
    if (asked.pause) glutWebSetPaused(true);
    if (asked.steps.empty()) return 1;
    if (framesPlayed < framesInAll) {
        // Still playing: the new steps follow, with no first frame of their own.
        request.steps.insert(request.steps.end(), asked.steps.begin(), asked.steps.end());
        framesInAll += playbackFrames(asked.steps) - 1;
        return 1;
    }
    request.steps = asked.steps;
    playback = StepPlayback{};
    framesPlayed = 0;
    framesInAll = playbackFrames(request.steps);
    glutWebStartUp(playAddressSlice);
    return 1;
}

// The key bar and the keys the page passes to the viewer, read by the page
// at start-up (app/key_bar).
extern "C" EMSCRIPTEN_KEEPALIVE const char* universeKeyBarJson() {
    static const std::string json = keyBarJson();
    return json.c_str();
}

int main(int argc, char** argv) {
    // A bad address leaves the viewer on the intro, with no step applied
    // (a size read before the fault stays).
    const std::string wrong = parseAddress(glutWebQueryString(), request);
    noteIgnored(request);
    if (!wrong.empty()) {
        AddressRequest sizeOnly;
        sizeOnly.width = request.width;
        sizeOnly.height = request.height;
        request = sizeOnly;
    }
    if (request.width) glutWebFixSize(request.width, request.height);

    glutInit(&argc, argv);
    glutInitDisplayMode(GLUT_RGB | GLUT_DOUBLE | GLUT_DEPTH);
    glutInitWindowSize(appState.windowWidth, appState.windowHeight);
    glutInitWindowPosition(100, 100);
    glutCreateWindow(windowTitle);
    initGraphics();

    registerCallbacks(onWebDisplay);
    glutKeyboardFunc(onWebKeyboard);
    glutSpecialFunc(onWebSpecialKey);
    glutIdleFunc(onWebIdle);
    glutWebInspectFunc(redrawShownFrame);

    buildMenus();

    if (!wrong.empty())
        glutWebShowError(
            ("N\xE3o percebi o endere\xE7o, por isso mostro a introdu\xE7\xE3o: " + wrong).c_str());
    if (request.pause) glutWebSetPaused(true);
    framesInAll = playbackFrames(request.steps);
    glutWebStartUp(playAddressSlice);
    glutMainLoop();
    return 0;
}
