// The inputs that universe-snapshot and the web page take by name: a screen,
// an option of the options menu, letter keys or camera keys, each applied
// through the handler the live program would call for it.
#pragma once

#include <functional>
#include <string>
#include <vector>

struct AppState;

// One input fed to the program's own handlers, in the order given.
struct Step {
    enum Kind { Screen, Option, Key, Special } kind;
    int value;  // screen index, option menu value, character, or GLUT key code
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

// Applies one step through the handler the live program would call for it.
void applyStep(AppState& state, const Step& step);

// The frames of a start from the command line or the address: `frame`
// once, then after each step applied, then after each of `ticks` idle
// ticks (advanceClocks).
void playSteps(AppState& state, const std::vector<Step>& steps, long ticks,
               const std::function<void()>& frame);

// The letter keys the viewer acts on.
extern const char* const viewerKeys;
