#include "app/screen_names.h"

#include "app/menus.h"

const Screen screens[7] = {
    {"intro", "the intro screen shown at start-up", false, 46, false},
    {"universe-auto", "the automatic Universe", false, 41, true},
    {"universe-manual", "the Universe under the manual controls", false, 42, true},
    {"earth-auto", "the automatic Earth, Moon, Rocket and Man scene", false, 43, true},
    {"earth-manual", "the Earth, Moon, Rocket and Man scene under the manual controls", false, 44,
     true},
    {"matrix-universe", "the Universe built with explicit matrices", false, 45, true},
    {"farewell", "the farewell screen, without its pause and exit", true, exitEntryValue, false},
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

void chooseScreen(AppState& state, const Screen& screen) {
    if (screen.mainMenuEntry) {
        chooseMainEntry(state, screen.menuValue);
    } else {
        chooseScene(state, screen.menuValue);
    }
}
