#include "app/address.h"

#include <GL/freeglut.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "app/number_args.h"
#include "app/options.h"
#include "app/screens.h"
#include "input/camera.h"
#include "input/key_table.h"
#include "state/app_state.h"

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
        if (text[at] == '%' && at + 2 < text.size() && hexDigit(text[at + 1]) >= 0 &&
            hexDigit(text[at + 2]) >= 0) {
            bytes += static_cast<char>(hexDigit(text[at + 1]) * 16 + hexDigit(text[at + 2]));
            at += 2;
        } else {
            bytes += text[at];
        }
    }
    std::string latin1;
    for (size_t at = 0; at < bytes.size(); ++at) {
        const unsigned char lead = static_cast<unsigned char>(bytes[at]);
        const unsigned char next =
            at + 1 < bytes.size() ? static_cast<unsigned char>(bytes[at + 1]) : 0;
        if ((lead == 0xC2 || lead == 0xC3) && next >= 0x80 && next <= 0xBF) {
            latin1 += static_cast<char>(((lead & 0x03) << 6) | (next & 0x3F));
            ++at;
        } else {
            latin1 += bytes[at];
        }
    }
    return latin1;
}

// Reads the query as parseAddress does; its messages may quote a NUL.
std::string readAddress(const std::string& query, AddressRequest& request) {
    const std::string body = !query.empty() && query[0] == '?' ? query.substr(1) : query;
    long ticksInAll = 0, stepsInAll = 0;
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
                return "size: " + quotedArgument(value) +
                       " n\xE3o \xE9 LARGURAxALTURA, cada um de 1 a 8192";
            continue;
        }
        if (name == "ticks") {
            long ticks = 0;
            if (!parseCount(value, 0, maxAddressTicks, ticks) ||
                ticksInAll + ticks > maxAddressTicks)
                return "ticks: " + quotedArgument(value) +
                       " n\xE3o \xE9 um n\xFAmero de 0 a 1000000 (em todos)";
            ticksInAll += ticks;
            if (ticks) request.steps.push_back({Step::Ticks, static_cast<int>(ticks)});
            continue;
        }
        const size_t before = request.steps.size();
        const StepFault fault = parseStep(stepName, value, request.steps);
        if (!fault.english.empty()) return name + ": " + fault.portuguese;
        stepsInAll += static_cast<long>(request.steps.size() - before);
        if (stepsInAll > maxAddressSteps)
            return name + ": mais de " + std::to_string(maxAddressSteps) + " passos (em todos)";
    }
    return "";
}

}  // namespace

std::string parseAddress(const std::string& query, AddressRequest& request) {
    // A NUL in a value is refused as any other wrong character is; the
    // message shows it as it was escaped, since it would end the text where
    // the page shows it.
    std::string fault = readAddress(query, request);
    for (size_t at = fault.find('\0'); at != std::string::npos; at = fault.find('\0', at))
        fault.replace(at, 1, "%00");
    return fault;
}

void beginSceneRecord(SceneRecord& record, const AppState& state) {
    record.fovY = state.fovY;
    record.starAxis = state.starAxis;
    record.follows.clear();
    for (const ViewerKey& key : viewerKeys)
        if (key.action == KeyAction::Follow) record.follows.push_back(state.*key.flag);
    record.keys.clear();
    record.ticks = 0;
}

void noteStep(SceneRecord& record, const Step& step) {
    const ViewerKey* key = step.kind == Step::Key || step.kind == Step::Special
                               ? findKey(step.value, step.kind == Step::Special)
                               : nullptr;
    if (key && key->byName) {
        record.keys.push_back(step);
    } else if (step.kind == Step::Ticks) {
        record.ticks += step.value;
    }
}

std::string shareQuery(const AppState& state, const SceneRecord& record, bool paused, int width,
                       int height) {
    const Screen& screen = shownScreen(state);
    // Keys and camera keys touch different state, so each group keeps its
    // order apart from the other: first what restores the state the scene
    // began with, then what was pressed since.
    std::vector<const ViewerKey*> follows;
    for (const ViewerKey& key : viewerKeys)
        if (key.action == KeyAction::Follow) follows.push_back(&key);
    std::string keys;
    if (record.starAxis != AppState{}.starAxis)
        for (const ViewerKey& key : viewerKeys)
            if (key.action == KeyAction::StarAxis && key.axis == record.starAxis)
                keys += keyName(key);
    for (size_t at = 0; at < follows.size() && at < record.follows.size(); ++at)
        if (record.follows[at]) keys += keyName(*follows[at]);
    std::string special;
    long specialCount = 0;
    const long zoomSteps = std::lround((record.fovY - AppState{}.fovY) / zoomStep);
    for (long step = 0; step < std::labs(zoomSteps); ++step, ++specialCount)
        special += std::string(special.empty() ? "" : ",") +
                   specialKeyName(zoomSteps < 0 ? GLUT_KEY_F7 : GLUT_KEY_F8);
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
    const bool clocked = screen.clock != nullptr;
    long ticks = record.ticks;
    if (!clocked && ticks > 2) ticks = 2 - ticks % 2;
    ticks = std::min(ticks, maxAddressTicks - 3);
    // The astronaut's stride: each tick of the automatic scenes steps it,
    // and each frame of the manual Earth scene once per follow flag on.
    long strides = screen.tickStrides ? ticks : 0;
    if (screen.followStrides) {
        int flagsOn = 0;
        std::vector<bool> on(follows.size());
        for (char character : keys) {
            for (size_t at = 0; at < follows.size(); ++at)
                if (character == follows[at]->code) on[at] = !on[at];
            flagsOn = static_cast<int>(std::count(on.begin(), on.end(), true));
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
        while (strides + leadStrides == 0 || ((strides + leadStrides) % 2 == 1) != oddNeeded)
            ++leadStrides;
    }
    const bool blinkFlip = ((leadStrides + ticks) % 2 == 1) == state.starBlink;
    std::string query;
    if (blinkFlip && !state.starsSteady) query += "ticks=1&";
    if (leadStrides) query += "scene=universe-auto&ticks=" + std::to_string(leadStrides) + "&";
    query += std::string("scene=") + screen.name;
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
