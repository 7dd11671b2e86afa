// The viewer in the browser: the same start-up as app/main.cpp on the page's
// canvas, then the steps of the page's address, each followed by a frame as
// universe-snapshot draws them, then the event loop. The farewell screen
// cannot end a process here: it ignores input for its ten seconds, then
// stops the animation and the page says the program has ended.
//
// The address takes, in its query's order: scene=NAME, axes=on|off,
// light=on|off, stars=blink|steady, keys=CHARS, special=K,K,... (steps),
// ticks=N (idle ticks after the steps, 0 to 1000000) and pause (no idle
// ticks in the loop). A '+' stands for itself, not for a blank.
#include <GL/freeglut.h>
#include <emscripten.h>

#include <string>
#include <vector>

#include "app/frame_loop.h"
#include "app/menus.h"
#include "app/options.h"
#include "app/steps.h"
#include "app/window.h"
#include "scenes/text_screens.h"
#include "state/app_state.h"
#include "web/glut_web.h"

namespace {

// How long the farewell screen stays before the program ends, as on the
// desktop.
const int farewellMs = 10000;

struct StartRequest {
    std::vector<Step> steps;
    long ticks = 0;
    bool pause = false;
};

int hexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// Undoes %XX escapes; '+' stays '+', so that keys=r+ means 'r' then '+'.
std::string percentDecoded(const std::string& text) {
    std::string decoded;
    for (size_t at = 0; at < text.size(); ++at) {
        if (text[at] == '%' && at + 2 < text.size() && hexDigit(text[at + 1]) >= 0 &&
            hexDigit(text[at + 2]) >= 0) {
            decoded += static_cast<char>(hexDigit(text[at + 1]) * 16 + hexDigit(text[at + 2]));
            at += 2;
        } else {
            decoded += text[at];
        }
    }
    return decoded;
}

// A whole decimal number from 0 to 1000000.
bool parseTicks(const std::string& text, long& ticks) {
    if (text.empty() || text.size() > 7) return false;
    long value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return false;
        value = value * 10 + (c - '0');
    }
    if (value > 1000000) return false;
    ticks = value;
    return true;
}


// Reads the query ("?a=b&c"); returns "" or what is wrong with it.
std::string parseQuery(const std::string& query, StartRequest& request) {
    const std::string body = !query.empty() && query[0] == '?' ? query.substr(1) : query;
    size_t start = 0;
    while (start <= body.size()) {
        size_t end = body.find('&', start);
        if (end == std::string::npos) end = body.size();
        const std::string piece = body.substr(start, end - start);
        start = end + 1;
        if (piece.empty()) continue;
        const size_t equals = piece.find('=');
        const std::string name = percentDecoded(piece.substr(0, equals));
        const bool hasValue = equals != std::string::npos;
        const std::string value = hasValue ? percentDecoded(piece.substr(equals + 1)) : "";
        if (name == "pause") {
            if (hasValue) return "pause takes no value";
            request.pause = true;
            continue;
        }
        const std::string stepName = name == "scene" ? "screen" : name;
        if (name != "ticks" && (name == "screen" || !isStepName(stepName)))
            return "unknown parameter " + quotedArgument(name) +
                   " (scene, axes, light, stars, keys, special, ticks, pause)";
        if (!hasValue) return name + " needs a value";
        if (name == "ticks") {
            if (!parseTicks(value, request.ticks))
                return "ticks: " + quotedArgument(value) + " is not a number from 0 to 1000000";
            continue;
        }
        const std::string wrong = parseStep(stepName, value, request.steps);
        if (!wrong.empty()) return name + ": " + wrong;
    }
    return "";
}

bool farewellStarted = false;

void endProgram(void*) { glutWebEnd(); }

// The farewell picture, then its period: input ignored and the loop held,
// without blocking the page; then the program ends.
void drawFarewellWeb() {
    drawFarewellFrame();
    if (farewellStarted) return;
    farewellStarted = true;
    glutWebHold(true);
    emscripten_async_call(endProgram, nullptr, farewellMs);
}

void onWebDisplay() { displayFrame(drawFarewellWeb); }

}  // namespace

int main(int argc, char** argv) {
    glutInit(&argc, argv);
    glutInitDisplayMode(GLUT_RGB | GLUT_DOUBLE | GLUT_DEPTH);
    glutInitWindowSize(appState.windowWidth, appState.windowHeight);
    glutInitWindowPosition(100, 100);
    glutCreateWindow(windowTitle);
    initGraphics();

    registerCallbacks(onWebDisplay);

    buildMenus();

    // A bad address leaves the viewer on the intro, with nothing applied.
    StartRequest request;
    const std::string wrong = parseQuery(glutWebQueryString(), request);
    if (!wrong.empty()) {
        glutWebShowError(("Not understood in the address, so the intro is shown: " + wrong).c_str());
        request = StartRequest{};
    }
    if (request.pause) glutWebSetPaused(true);
    playSteps(appState, request.steps, request.ticks, glutWebDisplayNow);
    glutWebSetReady();
    glutMainLoop();
    return 0;
}
