#include "app/menus.h"

#include <GL/freeglut.h>

#include "app/screens.h"
#include "state/app_state.h"

// Reference card of the camera and star-axis keys.
const MenuEntry generalHelpEntries[16] = {
    {"Use o teclado para interagir com o universo ( automatico e manual ):", 11},
    {"F1 - Subir a camara", 12},
    {"F2 - Baixar a camara", 13},
    {"F3 - Deslocar para a esquerda", 14},
    {"F4 - Deslocar para a direita ", 15},
    {"F5 - Olhar para cima", 16},
    {"F6 - Olhar para baixo", 17},
    {"F7 - Zoom in ", 18},
    {"F8 - Zoom out", 19},
    {"Seta para cima  - andar para a frente   ( camara )", 20},
    {"Seta para baixo - andar para a tr\xE1s     ( camara )", 21},
    {"Seta Esquerda   - virar para a esquerda ( camara )", 22},
    {"Seta Direita    - virar para a direita  ( camara )", 23},
    {"X - Rota\xE7\xE3o das estrelas em torno do eixo ox", 24},
    {"Y - Rota\xE7\xE3o das estrelas em torno do eixo oy", 25},
    {"Z - Rota\xE7\xE3o das estrelas em torno do eixo oz", 26},
};

// Reference card of the manual keys.
const MenuEntry manualHelpEntries[13] = {
    {"Use o teclado para interagir com o universo manual( por omiss\xE3o est\xE3o todos off ):", 27},
    {"e -> escala on/off", 27},
    {"r -> rota\xE7\xE3o on/off", 28},
    {"t -> transla\xE7\xE3o on/off", 29},
    {"+ -> aumenta o incremento das transforma\xE7\xF5" "es anteriores ", 30},
    {" - -> diminui o incremento das transforma\xE7\xF5" "es anteriores", 31},
    {"_________________________________________________________", 70},
    {"Activar movimento manual ( s\xF3 funciona no cen\xE1rio terra, lua,foguetao e homem ) ", 71},
    {"a - Lua e homem e Foguet\xE3o da lua on/off", 72},
    {"s -Foguet\xE3o da terra on/off", 73},
    {"d -Satelite azul on/off", 74},
    {"f -Satelite vermelho on/off", 75},
    {"g - Satelite verde on/off", 76},
};

const MenuEntry sceneEntries[6] = {
    {"Universo Autom\xE1tico", 41},
    {"Universo Manual", 42},
    {"Terra , Lua , Foguet\xE3o e Homem - Autom\xE1tico ", 43},
    {"Terra , Lua , Foguet\xE3o e Homem - Manual ", 44},
    {"Universo com matrizes - autom\xE1tico  ", 45},
    {"Menu Principal", 46},
};

const MenuEntry optionEntries[6] = {
    {"Com eixos coordenados", 1},
    {"Sem eixos coordenados", 2},
    {"Estrelas a piscar", 3},
    {"Estrelas est\xE1ticas", 4},
    {"Com luz", 5},
    {"Sem luz", 6},
};

const char* const scenesMenuLabel = "Cen\xE1rios";
const char* const generalHelpMenuLabel = "Instru\xE7\xF5" "es Gerais";
const char* const manualHelpMenuLabel = "Instru\xE7\xF5" "es Manuais";
const char* const optionsMenuLabel = "Op\xE7\xF5" "es Extras";
const char* const exitEntryLabel = "Sair do universo";

// The screen of the scenes menu (`fromMainMenu` false) or of the main menu
// with menu value `value`, shown as the only one; other values change
// nothing.
static void chooseMenuScreen(AppState& state, bool fromMainMenu, int value) {
    for (const Screen& screen : screens)
        if (screen.mainMenuEntry == fromMainMenu && screen.menuValue == value) chooseScreen(state, screen);
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
template <int N>
static int createMenu(void (*handler)(int), const MenuEntry (&entries)[N]) {
    int id = glutCreateMenu(handler);
    for (const MenuEntry& entry : entries) glutAddMenuEntry(entry.text, entry.value);
    return id;
}

void buildMenus() {
    int generalHelpMenu = createMenu(onHelpMenu, generalHelpEntries);
    int manualHelpMenu = createMenu(onHelpMenu, manualHelpEntries);
    int scenesMenu = createMenu(onSceneMenu, sceneEntries);
    int optionsMenu = createMenu(onOptionsMenu, optionEntries);

    glutCreateMenu(onMainMenu);
    glutAddSubMenu(scenesMenuLabel, scenesMenu);
    glutAddSubMenu(generalHelpMenuLabel, generalHelpMenu);
    glutAddSubMenu(manualHelpMenuLabel, manualHelpMenu);
    glutAddSubMenu(optionsMenuLabel, optionsMenu);
    glutAddMenuEntry(exitEntryLabel, exitEntryValue);
    glutAttachMenu(GLUT_LEFT_BUTTON);
}
