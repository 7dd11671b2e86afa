#include "app/steps.h"

#include <GL/freeglut.h>

#include <cstring>

#include "app/frame_loop.h"
#include "app/menus.h"
#include "app/options.h"
#include "app/screen_names.h"
#include "input/camera.h"
#include "input/manual_controls.h"

const char* const viewerKeys = "ertxyzasdfg+-";

namespace {

struct NamedValue {
    const char* name;
    int value;
};

const NamedValue specialKeys[] = {
    {"F1", GLUT_KEY_F1},     {"F2", GLUT_KEY_F2},         {"F3", GLUT_KEY_F3},
    {"F4", GLUT_KEY_F4},     {"F5", GLUT_KEY_F5},         {"F6", GLUT_KEY_F6},
    {"F7", GLUT_KEY_F7},     {"F8", GLUT_KEY_F8},         {"up", GLUT_KEY_UP},
    {"down", GLUT_KEY_DOWN}, {"left", GLUT_KEY_LEFT},     {"right", GLUT_KEY_RIGHT},
};

// The options menu: the value of the "on" entry and of the "off" entry.
struct OptionPair {
    const char* name;
    const char* on;
    const char* off;
    int onValue;
    int offValue;
};

const OptionPair optionPairs[] = {
    {"axes", "on", "off", 1, 2},
    {"light", "on", "off", 5, 6},
    {"stars", "blink", "steady", 3, 4},
};


// Splits "a,b,c"; an empty piece stays, so that it is reported.
std::vector<std::string> splitCommas(const std::string& text) {
    std::vector<std::string> pieces;
    size_t start = 0;
    for (;;) {
        const size_t comma = text.find(',', start);
        pieces.push_back(text.substr(start, comma - start));
        if (comma == std::string::npos) return pieces;
        start = comma + 1;
    }
}

const OptionPair* findOptionPair(const std::string& name) {
    for (const OptionPair& option : optionPairs)
        if (name == option.name) return &option;
    return nullptr;
}

}  // namespace

bool isStepName(const std::string& name) {
    return name == "screen" || name == "keys" || name == "special" || findOptionPair(name);
}

std::string parseStep(const std::string& name, const std::string& value, std::vector<Step>& steps) {
    if (name == "screen") {
        const Screen* screen = findScreen(value);
        if (!screen) return "unknown screen " + quotedArgument(value) + " (one of " + screenNames() + ")";
        steps.push_back({Step::Screen, static_cast<int>(screen - screens)});
        return "";
    }
    if (name == "keys") {
        if (value.empty()) return "no keys given";
        for (char key : value) {
            if (!std::strchr(viewerKeys, key))
                return quotedArgument(std::string(1, key)) + " is not one of " + viewerKeys;
            steps.push_back({Step::Key, static_cast<unsigned char>(key)});
        }
        return "";
    }
    if (name == "special") {
        for (const std::string& piece : splitCommas(value)) {
            const NamedValue* found = nullptr;
            for (const NamedValue& key : specialKeys)
                if (piece == key.name) found = &key;
            if (!found) return "unknown key " + quotedArgument(piece) + " (F1..F8, up, down, left, right)";
            steps.push_back({Step::Special, found->value});
        }
        return "";
    }
    const OptionPair* pair = findOptionPair(name);
    if (!pair) return "unknown step";
    if (value == pair->on) {
        steps.push_back({Step::Option, pair->onValue});
    } else if (value == pair->off) {
        steps.push_back({Step::Option, pair->offValue});
    } else {
        return quotedArgument(value) + " is neither " + pair->on + " nor " + pair->off;
    }
    return "";
}

void applyStep(AppState& state, const Step& step) {
    switch (step.kind) {
        case Step::Screen: chooseScreen(state, screens[step.value]); break;
        case Step::Option: chooseOption(state, step.value); break;
        case Step::Key: pressKey(state, static_cast<unsigned char>(step.value)); break;
        case Step::Special: moveCamera(state, step.value); break;
    }
}

void playSteps(AppState& state, const std::vector<Step>& steps, long ticks,
               const std::function<void()>& frame) {
    frame();
    for (const Step& step : steps) {
        applyStep(state, step);
        frame();
    }
    for (long tick = 0; tick < ticks; ++tick) {
        advanceClocks(state);
        frame();
    }
}
