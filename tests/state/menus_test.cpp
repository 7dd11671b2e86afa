// The menu tables' texts and values, and what each menu choice does to the
// state, without a window.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "app/menus.h"
#include "app/screens.h"
#include "app/window.h"
#include "state/app_state.h"
#include "support/gl_counters.h"

namespace {

// Latin-1 bytes of a UTF-8 string (every character here is below 256).
std::string latin1(const std::string& utf8) {
    std::string out;
    for (size_t i = 0; i < utf8.size(); ++i) {
        const unsigned char c = utf8[i];
        if (c < 0x80) {
            out += static_cast<char>(c);
        } else {
            out += static_cast<char>(((c & 0x03) << 6) | (utf8[++i] & 0x3F));
        }
    }
    return out;
}

struct Expected {
    const char* text;  // UTF-8
    int value;
    size_t length;
};

void expectTable(const std::vector<MenuEntry>& entries, const std::vector<Expected>& expected) {
    ASSERT_EQ(entries.size(), expected.size());
    for (size_t i = 0; i < entries.size(); ++i) {
        SCOPED_TRACE(expected[i].text);
        EXPECT_EQ(std::string(entries[i].text), latin1(expected[i].text));
        EXPECT_EQ(std::strlen(entries[i].text), expected[i].length);
        EXPECT_EQ(entries[i].value, expected[i].value);
    }
}

TEST(MenuTexts, AreTheLatin1BytesWithEveryBlank) {
    expectTable(helpCardEntries(HelpCard::General),
                {
                    {"Use o teclado para interagir com o universo ( automatico e manual ):", 11,
                     68},
                    {"F1 - Subir a camara", 12, 19},
                    {"F2 - Baixar a camara", 13, 20},
                    {"F3 - Deslocar para a esquerda", 14, 29},
                    {"F4 - Deslocar para a direita ", 15, 29},
                    {"F5 - Olhar para cima", 16, 20},
                    {"F6 - Olhar para baixo", 17, 21},
                    {"F7 - Zoom in ", 18, 13},
                    {"F8 - Zoom out", 19, 13},
                    {"Seta para cima  - andar para a frente   ( camara )", 20, 50},
                    {"Seta para baixo - andar para a trás     ( camara )", 21, 50},
                    {"Seta Esquerda   - virar para a esquerda ( camara )", 22, 50},
                    {"Seta Direita    - virar para a direita  ( camara )", 23, 50},
                    {"X - Rotação das estrelas em torno do eixo ox", 24, 44},
                    {"Y - Rotação das estrelas em torno do eixo oy", 25, 44},
                    {"Z - Rotação das estrelas em torno do eixo oz", 26, 44},
                });
    expectTable(
        helpCardEntries(HelpCard::Manual),
        {
            {"Use o teclado para interagir com o universo manual( por omissão estão todos off ):",
             27, 82},
            {"e -> escala on/off", 27, 18},
            {"r -> rotação on/off", 28, 19},
            {"t -> translação on/off", 29, 22},
            {"+ -> aumenta o incremento das transformações anteriores ", 30, 56},
            {" - -> diminui o incremento das transformações anteriores", 31, 56},
            {"_________________________________________________________", 70, 57},
            {"Activar movimento manual ( só funciona no cenário terra, lua,foguetao e homem ) ", 71,
             80},
            {"a - Lua e homem e Foguetão da lua on/off", 72, 40},
            {"s -Foguetão da terra on/off", 73, 27},
            {"d -Satelite azul on/off", 74, 23},
            {"f -Satelite vermelho on/off", 75, 27},
            {"g - Satelite verde on/off", 76, 25},
        });
    expectTable(sceneEntries(), {
                                    {"Universo Automático", 41, 19},
                                    {"Universo Manual", 42, 15},
                                    {"Terra , Lua , Foguetão e Homem - Automático ", 43, 44},
                                    {"Terra , Lua , Foguetão e Homem - Manual ", 44, 40},
                                    {"Universo com matrizes - automático  ", 45, 36},
                                    {"Menu Principal", 46, 14},
                                });
    expectTable(optionEntries, {
                                   {"Com eixos coordenados", 1, 21},
                                   {"Sem eixos coordenados", 2, 21},
                                   {"Estrelas a piscar", 3, 17},
                                   {"Estrelas estáticas", 4, 18},
                                   {"Com luz", 5, 7},
                                   {"Sem luz", 6, 7},
                               });
    EXPECT_EQ(std::string(scenesMenuLabel), latin1("Cenários"));
    EXPECT_EQ(std::string(generalHelpMenuLabel), latin1("Instruções Gerais"));
    EXPECT_EQ(std::string(manualHelpMenuLabel), latin1("Instruções Manuais"));
    EXPECT_EQ(std::string(optionsMenuLabel), latin1("Opções Extras"));
    EXPECT_EQ(std::string(findScreen("farewell")->menuLabel), "Sair do universo");

    const std::string title = windowTitle;
    EXPECT_EQ(title, latin1("Visualização Computacional - Universo -  Representação 3D "));
    EXPECT_EQ(title.size(), 58u);
    EXPECT_EQ(static_cast<unsigned char>(title[9]), 0xE7);
    EXPECT_EQ(static_cast<unsigned char>(title[10]), 0xE3);
}

bool AppState::*const sceneFlags[] = {
    &AppState::showUniverseAuto, &AppState::showUniverseManual, &AppState::showEarthAuto,
    &AppState::showEarthManual,  &AppState::showMatrixUniverse, &AppState::showIntro,
    &AppState::showFarewell,
};

int setFlags(const AppState& s) {
    int count = 0;
    for (auto flag : sceneFlags) count += s.*flag ? 1 : 0;
    return count;
}

TEST(SceneMenu, EachEntrySetsItsFlagAloneAndArmsTheReset) {
    // From every state reachable by a menu, each choice leaves its flag alone set.
    for (int from = 41; from <= 46; ++from) {
        for (int value = 41; value <= 46; ++value) {
            SCOPED_TRACE(std::to_string(from) + " -> " + std::to_string(value));
            AppState s;
            chooseScene(s, from);
            s.resetPending = false;
            s.spinAngle = 5;
            chooseScene(s, value);
            EXPECT_EQ(setFlags(s), 1);
            EXPECT_TRUE(s.*sceneFlags[value - 41]);
            EXPECT_TRUE(s.resetPending);
            EXPECT_EQ(s.spinAngle, 5.0f);  // the reset itself waits for the next frame
        }
    }
}

TEST(MainMenu, ExitShowsTheFarewellAlone) {
    AppState s;
    chooseScene(s, 41);
    s.resetPending = false;
    chooseMainEntry(s, 0);
    EXPECT_TRUE(s.showFarewell);
    EXPECT_EQ(setFlags(s), 1);
    EXPECT_TRUE(s.resetPending);
}

TEST(OptionsMenu, SwitchesOnlyItsOption) {
    AppState s;
    chooseScene(s, 42);
    s.resetPending = false;
    chooseOption(s, 2);
    EXPECT_FALSE(s.axesOn);
    chooseOption(s, 6);
    EXPECT_FALSE(s.lightOn);
    chooseOption(s, 4);
    EXPECT_TRUE(s.starsSteady);
    EXPECT_FALSE(s.axesOn);
    chooseOption(s, 1);
    EXPECT_TRUE(s.axesOn);
    chooseOption(s, 5);
    EXPECT_TRUE(s.lightOn);
    chooseOption(s, 3);
    EXPECT_FALSE(s.starsSteady);
    // Options never touch the scene, the reset or the camera.
    EXPECT_TRUE(s.showUniverseManual);
    EXPECT_EQ(setFlags(s), 1);
    EXPECT_FALSE(s.resetPending);
}

// Raw bytes of a state, to show that a handler changed nothing at all.
std::vector<unsigned char> bytesOf(const AppState& s) {
    const auto* p = reinterpret_cast<const unsigned char*>(&s);
    return std::vector<unsigned char>(p, p + sizeof s);
}

TEST(MenuHandlers, UnknownValuesChangeNothingButStillAskForARedisplay) {
    const int outside[] = {-1, 0, 7, 40, 47, 11, 27, 70, 76, 100, 1 << 30};
    appState = AppState{};
    chooseScene(appState, 42);
    appState.resetPending = false;
    const auto before = bytesOf(appState);
    resetGlCounters();
    int calls = 0;
    for (int v : outside) {
        if (v < 41 || v > 46) {
            onSceneMenu(v);
            ++calls;
        }
        if (v < 1 || v > 6) {
            onOptionsMenu(v);
            ++calls;
        }
        if (v != 0) {
            onMainMenu(v);
            ++calls;
        }
        onHelpMenu(v);  // both instruction pages only redraw
        ++calls;
    }
    for (int v = 11; v <= 31; ++v) {
        onHelpMenu(v);
        ++calls;
    }
    EXPECT_EQ(bytesOf(appState), before);
    EXPECT_EQ(glCounters.redisplays, calls);

    // Known values ask for one redisplay each too.
    resetGlCounters();
    onSceneMenu(41);
    onOptionsMenu(2);
    onMainMenu(0);
    EXPECT_EQ(glCounters.redisplays, 3);
    EXPECT_TRUE(appState.showFarewell);
    appState = AppState{};
}

}  // namespace
