// The pop-up menu tree on the left mouse button and its four handlers.
// Texts are Latin-1 bytes.
#pragma once

struct AppState;

struct MenuEntry {
    const char* text;
    int value;
};

extern const MenuEntry generalHelpEntries[16];
extern const MenuEntry manualHelpEntries[13];
extern const MenuEntry sceneEntries[6];
extern const MenuEntry optionEntries[6];

// Labels of the main menu's four submenus, top to bottom, and its own entry.
extern const char* const scenesMenuLabel;
extern const char* const generalHelpMenuLabel;
extern const char* const manualHelpMenuLabel;
extern const char* const optionsMenuLabel;
extern const char* const exitEntryLabel;
constexpr int exitEntryValue = 0;

// State changes behind the handlers; values outside the tables change
// nothing.
void chooseScene(AppState& state, int value);     // 41..46
void chooseMainEntry(AppState& state, int value);  // 0 = exit
void chooseOption(AppState& state, int value);    // 1..6

// GLUT menu callbacks: the state change, then a redisplay request.
void onMainMenu(int value);
void onSceneMenu(int value);
void onOptionsMenu(int value);
void onHelpMenu(int value);

// Builds the five menus and attaches the main menu to the left button.
void buildMenus();
