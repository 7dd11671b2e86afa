#include "app/menus.h"

#include <GL/freeglut.h>

#include <algorithm>

#include "app/screens.h"
#include "state/app_state.h"

std::vector<MenuEntry> helpCardEntries(HelpCard card) {
    std::vector<MenuEntry> entries;
    for (const ViewerKey& line : viewerKeys)
        if (line.card == card) entries.push_back({line.helpLine, line.helpValue});
    return entries;
}

std::vector<MenuEntry> sceneEntries() {
    std::vector<MenuEntry> entries;
    for (const Screen& screen : screens)
        if (!screen.mainMenuEntry) entries.push_back({screen.menuLabel, screen.menuValue});
    std::sort(entries.begin(), entries.end(),
              [](const MenuEntry& a, const MenuEntry& b) { return a.value < b.value; });
    return entries;
}

const std::vector<MenuEntry> optionEntries = {
    {"Com eixos coordenados", 1},
    {"Sem eixos coordenados", 2},
    {"Estrelas a piscar", 3},
    {"Estrelas est\xE1ticas", 4},
    {"Com luz", 5},
    {"Sem luz", 6},
};

const char* const scenesMenuLabel = "Cen\xE1rios";
const char* const generalHelpMenuLabel = "Instru\xE7\xF5"
                                         "es Gerais";
const char* const manualHelpMenuLabel = "Instru\xE7\xF5"
                                        "es Manuais";
const char* const optionsMenuLabel = "Op\xE7\xF5"
                                     "es Extras";

// The screen of the scenes menu (`fromMainMenu` false) or of the main menu
// with menu value `value`, shown as the only one; other values change
// nothing.
static void chooseMenuScreen(AppState& state, bool fromMainMenu, int value) {
    for (const Screen& screen : screens)
        if (screen.mainMenuEntry == fromMainMenu && screen.menuValue == value)
            chooseScreen(state, screen);
}

void chooseScene(AppState& state, int value) { chooseMenuScreen(state, false, value); }

void chooseMainEntry(AppState& state, int value) { chooseMenuScreen(state, true, value); }

void chooseOption(AppState& state, int value) {
    switch (value) {
        case 1: state.axesOn = true; break;
        case 2: state.axesOn = false; break;
        case 3: state.starsSteady = false; break;
        case 4: state.starsSteady = true; break;
        case 5: state.lightOn = true; break;
        case 6: state.lightOn = false; break;
        default: break;
    }
}

void onMainMenu(int value) {
    chooseMainEntry(appState, value);
    glutPostRedisplay();
}

void onSceneMenu(int value) {
    chooseScene(appState, value);
    glutPostRedisplay();
}

void onOptionsMenu(int value) {
    chooseOption(appState, value);
    glutPostRedisplay();
}

// Both instruction pages are reference cards: choosing a line only redraws.
void onHelpMenu(int /*value*/) { glutPostRedisplay(); }

// Creates a menu with `handler` and fills it from a table; returns its id.
static int createMenu(void (*handler)(int), const std::vector<MenuEntry>& entries) {
    int id = glutCreateMenu(handler);
    for (const MenuEntry& entry : entries) glutAddMenuEntry(entry.text, entry.value);
    return id;
}

void buildMenus() {
    int generalHelpMenu = createMenu(onHelpMenu, helpCardEntries(HelpCard::General));
    int manualHelpMenu = createMenu(onHelpMenu, helpCardEntries(HelpCard::Manual));
    int scenesMenu = createMenu(onSceneMenu, sceneEntries());
    int optionsMenu = createMenu(onOptionsMenu, optionEntries);

    glutCreateMenu(onMainMenu);
    glutAddSubMenu(scenesMenuLabel, scenesMenu);
    glutAddSubMenu(generalHelpMenuLabel, generalHelpMenu);
    glutAddSubMenu(manualHelpMenuLabel, manualHelpMenu);
    glutAddSubMenu(optionsMenuLabel, optionsMenu);
    for (const Screen& screen : screens)
        if (screen.mainMenuEntry) glutAddMenuEntry(screen.menuLabel, screen.menuValue);
    glutAttachMenu(GLUT_LEFT_BUTTON);
}
