// The seven screens the viewer can show: each written once, with everything
// that names it. The frame loop draws and ticks the screen shown from here,
// the menu handlers choose screens by their menu values, and the command
// line, the tools and the page's address know them by name, and the menus
// take their entries from here. A new scene is a row here and its draw
// function.
#pragma once

#include <string>
#include <vector>

struct AppState;

struct Screen {
    const char* name;        // on the command line and in the page's address
    const char* caption;     // what it shows, in English
    bool AppState::*flag;    // its scene flag: set while it is shown
    void (*draw)();          // draws its frame; null for the farewell, whose
                             // frame the display callback's caller picks
    const char* menuLabel;   // its menu entry, Latin-1
    bool mainMenuEntry;      // chosen from the main menu (the exit entry), not the scenes menu
    int menuValue;           // value of its menu entry; the scenes menu lists them in this order
    float AppState::*clock;  // the clock its idle tick advances, or null
    double clockStep;        // what each tick adds to that clock
    bool tickStrides;        // each idle tick steps the astronaut's stride
    bool followStrides;      // each frame steps the stride once per follow flag on
};

// In the order the display callback tests the flags and the tools list the
// names.
extern const std::vector<Screen> screens;

// The screen called `name`, or nullptr.
const Screen* findScreen(const std::string& name);

// The comma-separated list of every screen name, for messages; with
// `scenesMenuOnly`, only the six that the scenes menu offers (not farewell).
std::string screenNames(bool scenesMenuOnly = false);

// The screen shown: the last in the table whose flag is set (the intro when
// none is).
const Screen& shownScreen(const AppState& state);

// Sets the screen's flag, clears the others' and asks for a view reset: what
// choosing its menu entry does.
void chooseScreen(AppState& state, const Screen& screen);
