#include "app/screens.h"

#include "scenes/earth_scenes.h"
#include "scenes/matrix_universe.h"
#include "scenes/text_screens.h"
#include "scenes/universe_scenes.h"
#include "state/app_state.h"

const std::vector<Screen> screens = {
    {"intro", "the intro screen shown at start-up", &AppState::showIntro, drawIntroScreen,
     "Menu Principal", false, 46, nullptr, 0.0, false, false},
    {"universe-auto", "the automatic Universe", &AppState::showUniverseAuto, drawUniverseAuto,
     "Universo Autom\xE1tico", false, 41, &AppState::spinAngle, 0.5, true, false},
    {"universe-manual", "the Universe under the manual controls", &AppState::showUniverseManual,
     drawUniverseManual, "Universo Manual", false, 42, nullptr, 0.0, false, false},
    {"earth-auto", "the automatic Earth, Moon, Rocket and Man scene", &AppState::showEarthAuto,
     drawEarthSceneAuto, "Terra , Lua , Foguet\xE3o e Homem - Autom\xE1tico ", false, 43,
     &AppState::spinAngle, 0.5, true, false},
    {"earth-manual", "the Earth, Moon, Rocket and Man scene, manual controls",
     &AppState::showEarthManual, drawEarthSceneManual,
     "Terra , Lua , Foguet\xE3o e Homem - Manual ", false, 44, nullptr, 0.0, false, true},
    {"matrix-universe", "the Universe built with explicit matrices", &AppState::showMatrixUniverse,
     drawMatrixUniverse, "Universo com matrizes - autom\xE1tico  ", false, 45,
     &AppState::matrixAngle, 0.01, false, false},
    {"farewell", "the farewell screen, without its pause and exit", &AppState::showFarewell,
     nullptr, "Sair do universo", true, 0, nullptr, 0.0, false, false},
};

const Screen* findScreen(const std::string& name) {
    for (const Screen& screen : screens)
        if (name == screen.name) return &screen;
    return nullptr;
}

std::string screenNames(bool scenesMenuOnly) {
    std::string names;
    for (const Screen& screen : screens)
        if (!scenesMenuOnly || !screen.mainMenuEntry)
            names += std::string(names.empty() ? "" : ", ") + screen.name;
    return names;
}

const Screen& shownScreen(const AppState& state) {
    const Screen* shown = &screens[0];
    for (const Screen& screen : screens)
        if (state.*screen.flag) shown = &screen;
    return *shown;
}

void chooseScreen(AppState& state, const Screen& screen) {
    for (const Screen& other : screens) state.*other.flag = &other == &screen;
    state.resetPending = true;
}
