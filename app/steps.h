// The inputs that universe-snapshot and the web page take by name: a screen,
// an option of the options menu, letter keys or camera keys, each applied
// through the handler the live program would call for it, and their
// playback. The page's address reads into such steps (app/address).
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

// What is wrong with a step's value, in English for the tools and in
// Portuguese (Latin-1) for the page, for the caller to prefix with the name
// as it spells it; both empty when nothing is.
struct StepFault {
    std::string english;
    std::string portuguese;
};

// Reads the value of the step called `name` and appends the steps it gives
// (one per key for keys and special); an unknown name gives "unknown step".
//   screen NAME      a screen of app/screens
//   axes on|off, light on|off, stars blink|steady   the options menu's entries
//   keys CHARS       character keys of the key table (input/key_table)
//   special K[,K...] its special keys by name: F1..F8, up, down, left, right
StepFault parseStep(const std::string& name, const std::string& value, std::vector<Step>& steps);

// The name of a special key's GLUT code that --special and the address
// take (F1..F8, up, down, left, right), or nullptr.
const char* specialKeyName(int code);

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
bool applyNextStep(AppState& state, const std::vector<Step>& steps, StepPlayback& at,
                   Step& applied);

// The frames that a playback draws: the first, then one per step and one
// per tick of a Ticks step.
long playbackFrames(const std::vector<Step>& steps);

// The frames of a start from the command line or the address: `frame`
// once, then after each step applied (after each tick of a Ticks step),
// then after each of `ticks` idle ticks (advanceClocks).
void playSteps(AppState& state, const std::vector<Step>& steps, long ticks,
               const std::function<void()>& frame);
