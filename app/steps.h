// The inputs that universe-snapshot and the web page take by name: a screen,
// an option of the options menu, letter keys or camera keys, each applied
// through the handler the live program would call for it; the page's
// address, read into such steps; and the address that brings a page back to
// the picture it shows.
#pragma once

#include <functional>
#include <string>
#include <vector>

struct AppState;

// One input fed to the program's own handlers, in the order given.
struct Step {
    enum Kind { Screen, Option, Key, Special, Ticks } kind;
    int value;  // screen index, option menu value, character, GLUT key code, or tick count
};

// Whether `name` names a step: screen, axes, light, stars, keys or special.
bool isStepName(const std::string& name);

// Reads the value of the step called `name` and appends the steps it gives
// (one per key for keys and special). Returns "" on success, else what is
// wrong with the value, for the caller to prefix with the name as it spells
// it; an unknown name gives "unknown step".
//   screen NAME      a screen of app/screen_names
//   axes on|off, light on|off, stars blink|steady   the options menu's entries
//   keys CHARS       letter keys among viewerKeys
//   special K[,K...] F1..F8, up, down, left, right
std::string parseStep(const std::string& name, const std::string& value, std::vector<Step>& steps);

// Applies one step through the handler the live program would call for it
// (each of a Ticks step's idle ticks: advanceClocks).
void applyStep(AppState& state, const Step& step);

// Where a playback of steps stands: the step next, and how many idle ticks
// of it are done when it is a Ticks step.
struct StepPlayback {
    size_t step = 0;
    long ticksDone = 0;
};

// Applies what comes before the next frame of a playback (the next step, or
// one tick of a Ticks step) and moves `at` on. `applied` gets the step (a
// tick as Ticks with value 1). False when everything is applied.
bool applyNextStep(AppState& state, const std::vector<Step>& steps, StepPlayback& at, Step& applied);

// The frames that a playback draws: the first, then one per step and one
// per tick of a Ticks step.
long playbackFrames(const std::vector<Step>& steps);

// The frames of a start from the command line or the address: `frame`
// once, then after each step applied (after each tick of a Ticks step),
// then after each of `ticks` idle ticks (advanceClocks).
void playSteps(AppState& state, const std::vector<Step>& steps, long ticks,
               const std::function<void()>& frame);

// The most idle ticks an address takes, in all.
const long maxAddressTicks = 1000000;

// What the page's address asks for.
struct AddressRequest {
    std::vector<Step> steps;
    bool pause = false;
    int width = 0;  // size=WxH: the picture's size; 0 when not given
    int height = 0;
    std::vector<std::string> ignored;  // parameters the page does not know
};

// Reads the page's query ("?a=b&c", percent-encoded; '+' stands for
// itself). In the query's order: scene=NAME (a screen), axes=on|off,
// light=on|off, stars=blink|steady, keys=CHARS, special=K,K,... and
// ticks=N (idle ticks at that point, up to maxAddressTicks in all); and
// pause and size=WxH anywhere. Percent-encoded UTF-8 of a Latin-1
// character becomes that character. Parameters of other names are listed
// in `ignored`. Returns "" or what is wrong (Latin-1, in Portuguese).
std::string parseAddress(const std::string& query, AddressRequest& request);

// The record a page keeps of the scene it shows, for the address that
// brings it back: what a scene choice leaves as it was (the zoom, the star
// axis, the follow flags) as it was when the scene's view was reset, and
// the keys and idle ticks since.
struct SceneRecord {
    double fovY = 50.0;
    int starAxis = 'c';
    bool follows[5] = {};          // 'a', 's', 'd', 'f', 'g' in that order
    std::vector<Step> keys;        // Key and Special steps, in order
    long ticks = 0;
};

// Starts `record` over for a scene whose view is being reset in `state`.
void beginSceneRecord(SceneRecord& record, const AppState& state);

// Notes a key, camera key or idle tick (Ticks with value 1) applied in the
// scene; other steps change nothing the record keeps.
void noteStep(SceneRecord& record, const Step& step);

// An address query ("scene=...&...") whose playback reaches the picture
// that `state` shows, its scene recorded in `record`: steps a person can
// read and edit, with idle ticks before the scene where the stars' blink
// or the astronaut's stride must be set; then pause and size=WxH when
// given (width 0: none).
std::string shareQuery(const AppState& state, const SceneRecord& record, bool paused, int width,
                       int height);

// The letter keys the viewer acts on.
extern const char* const viewerKeys;
