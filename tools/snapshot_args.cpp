#include "snapshot_args.h"

#include <GL/freeglut.h>

#include <algorithm>
#include <cstring>

#include "app/menus.h"
#include "app/screen_names.h"
#include "cli_args.h"
#include "input/camera.h"
#include "input/manual_controls.h"

const char* const snapshotUsage =
    "usage: universe-snapshot [STEP...] [--ticks N] [--size WxH] --out FILE.png\n"
    "       universe-snapshot --gallery DIR [--size WxH]\n"
    "Draws the viewer's frames in a window of the given size (default 800x600)\n"
    "and writes the last one as a PNG. It starts as the viewer does, on the\n"
    "intro screen; the steps run in the order given, each followed by a frame:\n"
    "  --screen NAME       choose a screen from the menu: intro, universe-auto,\n"
    "                      universe-manual, earth-auto, earth-manual,\n"
    "                      matrix-universe, farewell (drawn without its pause)\n"
    "  --axes on|off       the axes entries of the options menu\n"
    "  --light on|off      the light entries of the options menu\n"
    "  --stars blink|steady  the star entries of the options menu\n"
    "  --keys CHARS        letter keys, one after another (e r t x y z a s d f g + -)\n"
    "  --special K[,K...]  camera keys: F1..F8, up, down, left, right\n"
    "then N idle ticks (default 0), each followed by a frame.\n"
    "--gallery DIR writes every screen at a fixed moment, and index.html.\n";

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
    const char* flag;
    const char* on;
    const char* off;
    int onValue;
    int offValue;
};

const OptionPair optionPairs[] = {
    {"--axes", "on", "off", 1, 2},
    {"--light", "on", "off", 5, 6},
    {"--stars", "blink", "steady", 3, 4},
};

const char* const viewerKeys = "ertxyzasdfg+-";

// Every option but --help takes a value.
const std::string flagsWithValue[] = {"--out",  "--gallery", "--size",  "--ticks", "--screen",
                                      "--keys", "--special", "--axes",  "--light", "--stars"};

std::string quoted(const std::string& text) { return "'" + text + "'"; }

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

}  // namespace

std::string parseSnapshotArgs(const std::vector<std::string>& args, SnapshotRequest& request) {
    request = SnapshotRequest{};
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& flag = args[i];
        if (flag == "-h" || flag == "--help") {
            request.help = true;
            continue;
        }
        if (!std::count(std::begin(flagsWithValue), std::end(flagsWithValue), flag))
            return unknownArgument(flag);
        if (i + 1 >= args.size()) return flag + " needs a value";
        const std::string& value = args[++i];

        if (flag == "--out") {
            if (value.empty()) return "--out: empty path";
            request.output = value;
        } else if (flag == "--gallery") {
            if (value.empty()) return "--gallery: empty path";
            request.galleryDir = value;
        } else if (flag == "--size") {
            if (!parseSize(value, request.width, request.height))
                return "--size: " + quoted(value) + " is not WIDTHxHEIGHT with sides 1 to 8192";
        } else if (flag == "--ticks") {
            if (!parseCount(value, 0, 1000000, request.ticks))
                return "--ticks: " + quoted(value) + " is not a number from 0 to 1000000";
        } else if (flag == "--screen") {
            const Screen* screen = findScreen(value);
            if (!screen) return "--screen: unknown screen " + quoted(value) + " (one of " + screenNames() + ")";
            request.steps.push_back({Step::Screen, static_cast<int>(screen - screens)});
        } else if (flag == "--keys") {
            if (value.empty()) return "--keys: no keys given";
            for (char key : value) {
                if (!std::strchr(viewerKeys, key))
                    return "--keys: " + quoted(std::string(1, key)) + " is not one of " + viewerKeys;
                request.steps.push_back({Step::Key, static_cast<unsigned char>(key)});
            }
        } else if (flag == "--special") {
            for (const std::string& name : splitCommas(value)) {
                const NamedValue* found = nullptr;
                for (const NamedValue& key : specialKeys)
                    if (name == key.name) found = &key;
                if (!found) return "--special: unknown key " + quoted(name) + " (F1..F8, up, down, left, right)";
                request.steps.push_back({Step::Special, found->value});
            }
        } else {
            const OptionPair* pair = nullptr;
            for (const OptionPair& option : optionPairs)
                if (flag == option.flag) pair = &option;
            if (!pair) return "unknown option " + quoted(flag);
            if (value == pair->on) {
                request.steps.push_back({Step::Option, pair->onValue});
            } else if (value == pair->off) {
                request.steps.push_back({Step::Option, pair->offValue});
            } else {
                return flag + ": " + quoted(value) + " is neither " + pair->on + " nor " + pair->off;
            }
        }
    }
    if (request.help) return "";
    if (request.output.empty() == request.galleryDir.empty())
        return "give either --out FILE.png or --gallery DIR";
    if (!request.galleryDir.empty() && (!request.steps.empty() || request.ticks != 0))
        return "--gallery: takes no steps and no --ticks (each picture has its own)";
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
