// The pop-up menu tree on the left mouse button and its four handlers.
// Texts are Latin-1 bytes.
#pragma once

#include <vector>

#include "input/key_table.h"

struct AppState;

struct MenuEntry {
    const char* text;
    int value;
};

// The entries of a help card: the lines of the key table on that card, in
// its order.
std::vector<MenuEntry> helpCardEntries(HelpCard card);

// The scenes menu: the screen table's rows that it offers, in the order of
// their menu values.
std::vector<MenuEntry> sceneEntries();

extern const std::vector<MenuEntry> optionEntries;

// Labels of the main menu's four submenus, top to bottom; its own entry is
// the screen table's (the farewell).
extern const char* const scenesMenuLabel;
extern const char* const generalHelpMenuLabel;
extern const char* const manualHelpMenuLabel;
extern const char* const optionsMenuLabel;

// State changes behind the handlers; values outside the tables change
// nothing.
void chooseScene(AppState& state, int value);      // 41..46
void chooseMainEntry(AppState& state, int value);  // 0 = exit
void chooseOption(AppState& state, int value);     // 1..6

// GLUT menu callbacks: the state change, then a redisplay request.
void onMainMenu(int value);
void onSceneMenu(int value);
void onOptionsMenu(int value);
void onHelpMenu(int value);

// Builds the five menus and attaches the main menu to the left button.
void buildMenus();
