#include "app/steps.h"

#include "app/frame_loop.h"
#include "app/menus.h"
#include "app/options.h"
#include "app/screens.h"
#include "input/camera.h"
#include "input/key_table.h"
#include "input/manual_controls.h"
#include "state/app_state.h"

namespace {

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

StepFault parseStep(const std::string& name, const std::string& value, std::vector<Step>& steps) {
    if (name == "screen") {
        const Screen* screen = findScreen(value);
        if (!screen)
            return {"unknown screen " + quotedArgument(value) + " (one of " + screenNames() + ")",
                    "cen\xE1rio desconhecido " + quotedArgument(value) + " (um de " +
                        screenNames() + ")"};
        steps.push_back({Step::Screen, static_cast<int>(screen - screens.data())});
        return {};
    }
    if (name == "keys") {
        if (value.empty()) return {"no keys given", "keys sem teclas"};
        for (char character : value) {
            const ViewerKey* key = findKey(static_cast<unsigned char>(character), false);
            if (!key || !key->byName) {
                const std::string quoted = quotedArgument(std::string(1, character));
                return {quoted + " is not one of " + characterKeys(),
                        quoted + " n\xE3o \xE9 uma das teclas " + characterKeys()};
            }
            steps.push_back({Step::Key, key->code});
        }
        return {};
    }
    if (name == "special") {
        for (const std::string& piece : splitCommas(value)) {
            const ViewerKey* found = nullptr;
            std::string names;
            for (const ViewerKey& key : viewerKeys) {
                if (!key.special || !key.byName) continue;
                if (piece == key.name) found = &key;
                names += std::string(names.empty() ? "" : ", ") + key.name;
            }
            if (!found)
                return {"unknown key " + quotedArgument(piece) + " (" + names + ")",
                        "tecla desconhecida " + quotedArgument(piece) + " (" + names + ")"};
            steps.push_back({Step::Special, found->code});
        }
        return {};
    }
    const OptionPair* pair = findOptionPair(name);
    if (!pair) return {"unknown step", "passo desconhecido"};
    if (value == pair->on) {
        steps.push_back({Step::Option, pair->onValue});
    } else if (value == pair->off) {
        steps.push_back({Step::Option, pair->offValue});
    } else {
        return {quotedArgument(value) + " is neither " + pair->on + " nor " + pair->off,
                quotedArgument(value) + " n\xE3o \xE9 " + pair->on + " nem " + pair->off};
    }
    return {};
}

const char* specialKeyName(int code) {
    const ViewerKey* key = findKey(code, true);
    return key && key->byName ? key->name : nullptr;
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

bool applyNextStep(AppState& state, const std::vector<Step>& steps, StepPlayback& at,
                   Step& applied) {
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
