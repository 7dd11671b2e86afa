// The seven screens the viewer can show, by the names its command line and
// the tools use, with the menu choice that brings each one up.
#pragma once

#include <string>

struct AppState;

struct Screen {
    const char* name;     // command-line name
    const char* caption;  // what it shows, in English
    bool mainMenuEntry;   // chosen from the main menu (the exit entry)
    int menuValue;        // value of its menu entry
    bool animated;        // one of the five animated scenes (not a text screen)
};

extern const Screen screens[7];

// The screen called `name`, or nullptr.
const Screen* findScreen(const std::string& name);

// The comma-separated list of every screen name, for messages; with
// `scenesMenuOnly`, only the six that the scenes menu offers (not farewell).
std::string screenNames(bool scenesMenuOnly = false);

// Brings the screen up through the program's own menu logic, as choosing its
// menu entry does.
void chooseScreen(AppState& state, const Screen& screen);
