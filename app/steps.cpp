#include "app/steps.h"

#include <GL/freeglut.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>

#include "app/frame_loop.h"
#include "app/menus.h"
#include "app/options.h"
#include "app/number_args.h"
#include "app/screen_names.h"
#include "input/camera.h"
#include "input/manual_controls.h"
#include "state/app_state.h"

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
        case Step::Ticks:
            for (int tick = 0; tick < step.value; ++tick) advanceClocks(state);
            break;
    }
}

bool applyNextStep(AppState& state, const std::vector<Step>& steps, StepPlayback& at, Step& applied) {
    while (at.step < steps.size()) {
        const Step& step = steps[at.step];
        if (step.kind != Step::Ticks) {
            applyStep(state, step);
            applied = step;
            ++at.step;
            return true;
        }
        if (at.ticksDone < step.value) {
            advanceClocks(state);
            applied = {Step::Ticks, 1};
            ++at.ticksDone;
            return true;
        }
        ++at.step;
        at.ticksDone = 0;
    }
    return false;
}

long playbackFrames(const std::vector<Step>& steps) {
    long frames = 1;
    for (const Step& step : steps) frames += step.kind == Step::Ticks ? step.value : 1;
    return frames;
}

void playSteps(AppState& state, const std::vector<Step>& steps, long ticks,
               const std::function<void()>& frame) {
    frame();
    StepPlayback at;
    Step applied{};
    while (applyNextStep(state, steps, at, applied)) frame();
    for (long tick = 0; tick < ticks; ++tick) {
        advanceClocks(state);
        frame();
    }
}

namespace {

int hexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// Undoes %XX escapes ('+' stays '+', so that keys=r+ means 'r' then '+'),
// then turns the UTF-8 of each Latin-1 character above 127 (two bytes, the
// first 0xC2 or 0xC3) into that character's one byte. Other bytes stay as
// they are.
std::string addressText(const std::string& text) {
    std::string bytes;
    for (size_t at = 0; at < text.size(); ++at) {
        if (text[at] == '%' && at + 2 < text.size() && hexDigit(text[at + 1]) >= 0 && hexDigit(text[at + 2]) >= 0) {
            bytes += static_cast<char>(hexDigit(text[at + 1]) * 16 + hexDigit(text[at + 2]));
            at += 2;
        } else {
            bytes += text[at];
        }
    }
    std::string latin1;
    for (size_t at = 0; at < bytes.size(); ++at) {
        const unsigned char lead = static_cast<unsigned char>(bytes[at]);
        const unsigned char next = at + 1 < bytes.size() ? static_cast<unsigned char>(bytes[at + 1]) : 0;
        if ((lead == 0xC2 || lead == 0xC3) && next >= 0x80 && next <= 0xBF) {
            latin1 += static_cast<char>(((lead & 0x03) << 6) | (next & 0x3F));
            ++at;
        } else {
            latin1 += bytes[at];
        }
    }
    return latin1;
}

// The address's message for a wrong value of a step, in Portuguese.
std::string wrongStepValue(const std::string& name, const std::string& value) {
    if (name == "scene")
        return "cen\xE1rio desconhecido " + quotedArgument(value) + " (um de " + screenNames() + ")";
    if (name == "keys") {
        if (value.empty()) return "keys sem teclas";
        for (char key : value)
            if (!std::strchr(viewerKeys, key))
                return quotedArgument(std::string(1, key)) + " n\xE3o \xE9 uma das teclas " + viewerKeys;
    }
    if (name == "special") {
        for (const std::string& piece : splitCommas(value)) {
            bool known = false;
            for (const NamedValue& key : specialKeys) known = known || piece == key.name;
            if (!known)
                return "tecla desconhecida " + quotedArgument(piece) + " (F1..F8, up, down, left, right)";
        }
    }
    const OptionPair* pair = findOptionPair(name);
    if (pair) return quotedArgument(value) + " n\xE3o \xE9 " + pair->on + " nem " + pair->off;
    return quotedArgument(value) + " n\xE3o serve";
}

}  // namespace

std::string parseAddress(const std::string& query, AddressRequest& request) {
    const std::string body = !query.empty() && query[0] == '?' ? query.substr(1) : query;
    long ticksInAll = 0;
    size_t start = 0;
    while (start <= body.size()) {
        size_t end = body.find('&', start);
        if (end == std::string::npos) end = body.size();
        const std::string piece = body.substr(start, end - start);
        start = end + 1;
        if (piece.empty()) continue;
        const size_t equals = piece.find('=');
        const std::string name = addressText(piece.substr(0, equals));
        const bool hasValue = equals != std::string::npos;
        const std::string value = hasValue ? addressText(piece.substr(equals + 1)) : "";
        if (name == "pause") {
            if (hasValue) return "pause n\xE3o leva valor";
            request.pause = true;
            continue;
        }
        const std::string stepName = name == "scene" ? "screen" : name;
        if (name != "ticks" && name != "size" && (name == "screen" || !isStepName(stepName))) {
            request.ignored.push_back(name);
            continue;
        }
        if (!hasValue) return name + " precisa de um valor";
        if (name == "size") {
            if (!parseSize(value, request.width, request.height))
                return "size: " + quotedArgument(value) + " n\xE3o \xE9 LARGURAxALTURA, cada um de 1 a 8192";
            continue;
        }
        if (name == "ticks") {
            long ticks = 0;
            if (!parseCount(value, 0, maxAddressTicks, ticks) || ticksInAll + ticks > maxAddressTicks)
                return "ticks: " + quotedArgument(value) + " n\xE3o \xE9 um n\xFAmero de 0 a 1000000 (em todos)";
            ticksInAll += ticks;
            if (ticks) request.steps.push_back({Step::Ticks, static_cast<int>(ticks)});
            continue;
        }
        if (!parseStep(stepName, value, request.steps).empty()) return name + ": " + wrongStepValue(name, value);
    }
    return "";
}

namespace {

// The scene flags in the order of `screens`.
bool AppState::* const screenFlags[7] = {
    &AppState::showIntro,       &AppState::showUniverseAuto, &AppState::showUniverseManual,
    &AppState::showEarthAuto,   &AppState::showEarthManual,  &AppState::showMatrixUniverse,
    &AppState::showFarewell,
};

// The follow flags, each with the key that toggles it.
struct FollowFlag {
    bool AppState::*flag;
    char key;
};
const FollowFlag followFlags[5] = {
    {&AppState::moonGroupManual, 'a'},     {&AppState::earthRocketManual, 's'},
    {&AppState::blueSatelliteManual, 'd'}, {&AppState::redSatelliteManual, 'f'},
    {&AppState::greenSatelliteManual, 'g'},
};

const char* specialKeyName(int code) {
    for (const NamedValue& key : specialKeys)
        if (key.value == code) return key.name;
    return nullptr;
}

}  // namespace

void beginSceneRecord(SceneRecord& record, const AppState& state) {
    record.fovY = state.fovY;
    record.starAxis = state.starAxis;
    for (int at = 0; at < 5; ++at) record.follows[at] = state.*followFlags[at].flag;
    record.keys.clear();
    record.ticks = 0;
}

void noteStep(SceneRecord& record, const Step& step) {
    if (step.kind == Step::Key && std::strchr(viewerKeys, step.value) && step.value) {
        record.keys.push_back(step);
    } else if (step.kind == Step::Special && specialKeyName(step.value)) {
        record.keys.push_back(step);
    } else if (step.kind == Step::Ticks) {
        record.ticks += step.value;
    }
}

std::string shareQuery(const AppState& state, const SceneRecord& record, bool paused, int width,
                       int height) {
    int screen = 0;
    for (int at = 0; at < 7; ++at)
        if (state.*screenFlags[at]) screen = at;
    // Keys and camera keys touch different state, so each group keeps its
    // order apart from the other: first what restores the state the scene
    // began with, then what was pressed since.
    std::string keys;
    if (record.starAxis == 'a') keys += 'x';
    if (record.starAxis == 'b') keys += 'y';
    for (int at = 0; at < 5; ++at)
        if (record.follows[at]) keys += followFlags[at].key;
    std::string special;
    long specialCount = 0;
    const long zoomSteps = std::lround((record.fovY - 50.0) / 25.0);
    for (long step = 0; step < std::labs(zoomSteps); ++step, ++specialCount)
        special += std::string(special.empty() ? "" : ",") + (zoomSteps < 0 ? "F7" : "F8");
    for (const Step& step : record.keys) {
        if (step.kind == Step::Key) keys += static_cast<char>(step.value);
        if (step.kind == Step::Special) {
            special += std::string(special.empty() ? "" : ",") + specialKeyName(step.value);
            ++specialCount;
        }
    }
    // The ticks since the scene began; where they only set the stars' blink
    // (no clock runs in the scene), an even number fewer when they would
    // exceed what an address takes.
    const bool clocked = screen == 1 || screen == 3 || screen == 5;
    long ticks = record.ticks;
    if (!clocked && ticks > 2) ticks = 2 - ticks % 2;
    ticks = std::min(ticks, maxAddressTicks - 3);
    // The astronaut's stride: each tick of the automatic scenes steps it,
    // and each frame of the manual Earth scene once per follow flag on.
    long strides = screen == 1 || screen == 3 ? ticks : 0;
    if (screen == 4) {
        int flagsOn = 0;
        bool on[5] = {};
        for (char key : keys) {
            for (int at = 0; at < 5; ++at)
                if (key == followFlags[at].key) on[at] = !on[at];
            flagsOn = static_cast<int>(std::count(on, on + 5, true));
            strides += flagsOn;
        }
        strides += flagsOn * (specialCount + ticks);
    }
    // The stride and the stars' blink (flipped by every tick) carry over
    // from earlier scenes: idle ticks in the automatic Universe, then on the
    // intro, before the scene set them as they are.
    long leadStrides = 0;
    if (state.armSwing != 0) {
        const bool oddNeeded = !state.strideFlag;
        while (strides + leadStrides == 0 || ((strides + leadStrides) % 2 == 1) != oddNeeded) ++leadStrides;
    }
    const bool blinkFlip = ((leadStrides + ticks) % 2 == 1) == state.starBlink;
    std::string query;
    if (blinkFlip && !state.starsSteady) query += "ticks=1&";
    if (leadStrides) query += "scene=universe-auto&ticks=" + std::to_string(leadStrides) + "&";
    query += std::string("scene=") + screens[screen].name;
    if (!state.axesOn) query += "&axes=off";
    if (!state.lightOn) query += "&light=off";
    if (state.starsSteady) query += "&stars=steady";
    if (!keys.empty()) query += "&keys=" + keys;
    if (!special.empty()) query += "&special=" + special;
    if (ticks) query += "&ticks=" + std::to_string(ticks);
    if (paused) query += "&pause";
    if (width) query += "&size=" + std::to_string(width) + "x" + std::to_string(height);
    return query;
}
