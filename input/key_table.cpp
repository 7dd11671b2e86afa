#include "input/key_table.h"

#include <GL/freeglut.h>

#include "state/app_state.h"

namespace {

ViewerKey cardLine(HelpCard card, const char* line, int value) {
    return {card,    line,    value, KeyAction::None, 0,       false,   nullptr,
            nullptr, nullptr, 0,     nullptr,         nullptr, nullptr, false};
}

ViewerKey cameraKey(int code, const char* name, const char* browserKey, const char* line, int value,
                    const char* cap, const char* label, const char* english) {
    return {HelpCard::General,
            line,
            value,
            KeyAction::Camera,
            code,
            true,
            name,
            browserKey,
            nullptr,
            0,
            cap,
            label,
            english,
            true};
}

ViewerKey letterKey(HelpCard card, char key, KeyAction action, const char* line, int value,
                    const char* label, const char* english, bool AppState::*flag = nullptr,
                    int axis = 0) {
    return {card,    line, value, action,  key,   false,   nullptr,
            nullptr, flag, axis,  nullptr, label, english, true};
}

const HelpCard general = HelpCard::General;
const HelpCard manual = HelpCard::Manual;

}  // namespace

// Key-bar labels are UTF-8 (the arrows have no Latin-1 character); help
// lines are the menus' Latin-1 bytes, blanks and all.
const std::vector<ViewerKey> viewerKeys = {
    cardLine(general, "Use o teclado para interagir com o universo ( automatico e manual ):", 11),
    cameraKey(GLUT_KEY_F1, "F1", "F1", "F1 - Subir a camara", 12, nullptr, u8"Subir",
              "raise the camera"),
    cameraKey(GLUT_KEY_F2, "F2", "F2", "F2 - Baixar a camara", 13, nullptr, u8"Baixar",
              "lower the camera"),
    cameraKey(GLUT_KEY_F3, "F3", "F3", "F3 - Deslocar para a esquerda", 14, nullptr,
              u8"Deslocar \u2190", "slide the camera left"),
    cameraKey(GLUT_KEY_F4, "F4", "F4", "F4 - Deslocar para a direita ", 15, nullptr,
              u8"Deslocar \u2192", "slide the camera right"),
    cameraKey(GLUT_KEY_F5, "F5", "F5", "F5 - Olhar para cima", 16, nullptr, u8"Olhar cima",
              "look up"),
    cameraKey(GLUT_KEY_F6, "F6", "F6", "F6 - Olhar para baixo", 17, nullptr, u8"Olhar baixo",
              "look down"),
    cameraKey(GLUT_KEY_F7, "F7", "F7", "F7 - Zoom in ", 18, nullptr, u8"Zoom in",
              "zoom in (shown from the next resize)"),
    cameraKey(GLUT_KEY_F8, "F8", "F8", "F8 - Zoom out", 19, nullptr, u8"Zoom out",
              "zoom out (shown from the next resize)"),
    cameraKey(GLUT_KEY_UP, "up", "ArrowUp", "Seta para cima  - andar para a frente   ( camara )",
              20, u8"\u2191", u8"Frente", "walk forward"),
    cameraKey(GLUT_KEY_DOWN, "down", "ArrowDown",
              "Seta para baixo - andar para a tr\xE1s     ( camara )", 21, u8"\u2193",
              u8"Tr\u00e1s", "walk backward"),
    cameraKey(GLUT_KEY_LEFT, "left", "ArrowLeft",
              "Seta Esquerda   - virar para a esquerda ( camara )", 22, u8"\u2190", u8"Virar",
              "turn left"),
    cameraKey(GLUT_KEY_RIGHT, "right", "ArrowRight",
              "Seta Direita    - virar para a direita  ( camara )", 23, u8"\u2192", u8"Virar",
              "turn right"),
    letterKey(general, 'x', KeyAction::StarAxis,
              "X - Rota\xE7\xE3o das estrelas em torno do eixo ox", 24, u8"Eixo ox",
              "the stars (and the manual rotation) turn about x", nullptr, 'a'),
    letterKey(general, 'y', KeyAction::StarAxis,
              "Y - Rota\xE7\xE3o das estrelas em torno do eixo oy", 25, u8"Eixo oy",
              "the stars (and the manual rotation) turn about y", nullptr, 'b'),
    letterKey(general, 'z', KeyAction::StarAxis,
              "Z - Rota\xE7\xE3o das estrelas em torno do eixo oz", 26, u8"Eixo oz",
              "the stars (and the manual rotation) turn about z", nullptr, 'c'),

    cardLine(
        manual,
        "Use o teclado para interagir com o universo manual( por omiss\xE3o est\xE3o todos off ):",
        27),
    letterKey(manual, 'e', KeyAction::Mode, "e -> escala on/off", 27, u8"Escala",
              "manual scaling on/off", &AppState::scaleMode),
    letterKey(manual, 'r', KeyAction::Mode, "r -> rota\xE7\xE3o on/off", 28, u8"Rota\u00e7\u00e3o",
              "manual rotation on/off", &AppState::rotateMode),
    letterKey(manual, 't', KeyAction::Mode, "t -> transla\xE7\xE3o on/off", 29,
              u8"Transla\u00e7\u00e3o", "manual translation along z on/off",
              &AppState::translateMode),
    letterKey(manual, '+', KeyAction::StepForward,
              "+ -> aumenta o incremento das transforma\xE7\xF5"
              "es anteriores ",
              30, u8"Aumenta", "one step forward of each manual transform that is on"),
    letterKey(manual, '-', KeyAction::StepBack,
              " - -> diminui o incremento das transforma\xE7\xF5"
              "es anteriores",
              31, u8"Diminui", "one step back of each manual transform that is on"),
    cardLine(manual, "_________________________________________________________", 70),
    cardLine(
        manual,
        "Activar movimento manual ( s\xF3 funciona no cen\xE1rio terra, lua,foguetao e homem ) ",
        71),
    letterKey(manual, 'a', KeyAction::Follow, "a - Lua e homem e Foguet\xE3o da lua on/off", 72,
              u8"Lua e homem",
              "manual Earth scene: the Moon group follows the manual motion, on/off",
              &AppState::moonGroupManual),
    letterKey(manual, 's', KeyAction::Follow, "s -Foguet\xE3o da terra on/off", 73,
              u8"Foguet\u00e3o", "the same for the Earth's rocket", &AppState::earthRocketManual),
    letterKey(manual, 'd', KeyAction::Follow, "d -Satelite azul on/off", 74, u8"Sat. azul",
              "the same for the blue satellite", &AppState::blueSatelliteManual),
    letterKey(manual, 'f', KeyAction::Follow, "f -Satelite vermelho on/off", 75, u8"Sat. vermelho",
              "the same for the red satellite", &AppState::redSatelliteManual),
    letterKey(manual, 'g', KeyAction::Follow, "g - Satelite verde on/off", 76, u8"Sat. verde",
              "the same for the green satellite", &AppState::greenSatelliteManual),
};

const ViewerKey* findKey(int code, bool special) {
    for (const ViewerKey& key : viewerKeys)
        if (isKey(key) && key.code == code && key.special == special) return &key;
    return nullptr;
}

std::string keyName(const ViewerKey& key) {
    return key.special ? key.name : std::string(1, char(key.code));
}

std::string characterKeys() {
    std::string keys;
    for (const ViewerKey& key : viewerKeys)
        if (isKey(key) && !key.special && key.byName) keys += static_cast<char>(key.code);
    return keys;
}
