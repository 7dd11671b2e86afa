// The viewer's command line: argument lists and what the viewer does with
// them, without a window.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "app/address.h"
#include "app/frame_loop.h"
#include "app/key_bar.h"
#include "app/menus.h"
#include "app/options.h"
#include "app/platform.h"
#include "app/screens.h"
#include "app/steps.h"
#include "input/key_table.h"
#include "state/app_state.h"
#include "support/state_text.h"

TEST(ViewerOptions, ArgumentListsGiveTheirOutcomes) {
    using A = ViewerOptions;
    struct Case {
        std::vector<const char*> args;  // after the program name
        A::Action action;
        std::string named;  // Refuse: a piece of the problem
        bool fullscreen;
        bool AppState::*shown;  // the scene flag set before the first frame
        std::string display;    // the -display value seen
    };
    bool AppState::*const intro = &AppState::showIntro;
    const std::string longName(100000, 'n');
    const Case cases[] = {
        {{}, A::Run, "", false, intro, ""},
        {{"--help"}, A::ShowHelp, "", false, intro, ""},
        {{"-h"}, A::ShowHelp, "", false, intro, ""},
        {{"--version", "--help"}, A::ShowVersion, "", false, intro, ""},
        {{"--help", "--bogus"}, A::ShowHelp, "", false, intro, ""},
        {{"--bogus", "--help"}, A::Refuse, "unknown option '--bogus'", false, intro, ""},
        {{"-x"}, A::Refuse, "unknown option '-x'", false, intro, ""},
        {{"scene"}, A::Refuse, "'scene'", false, intro, ""},
        {{"--fullscreen"}, A::Run, "", true, intro, ""},
        // Each name brings up the screen its menu entry does; the last wins.
        {{"--scene", "universe-auto"}, A::Run, "", false, &AppState::showUniverseAuto, ""},
        {{"--scene", "universe-manual"}, A::Run, "", false, &AppState::showUniverseManual, ""},
        {{"--scene", "earth-auto", "--fullscreen"}, A::Run, "", true, &AppState::showEarthAuto, ""},
        {{"--scene=earth-manual"}, A::Run, "", false, &AppState::showEarthManual, ""},
        {{"--scene", "intro", "--scene", "matrix-universe"},
         A::Run,
         "",
         false,
         &AppState::showMatrixUniverse,
         ""},
        {{"--scene", "intro"}, A::Run, "", false, intro, ""},
        {{"--scene", "farewell"}, A::Refuse, "'farewell'", false, intro, ""},
        {{"--scene", "saturn"}, A::Refuse, "'saturn'", false, intro, ""},
        {{"--scene"}, A::Refuse, "'--scene'", false, intro, ""},
        // A long argument is quoted cut short.
        {{"--scene", longName.c_str()},
         A::Refuse,
         "'" + longName.substr(0, 64) + "...'",
         false,
         intro,
         ""},
        // GLUT's own options, with their values, are GLUT's.
        {{"-display", ":7", "-geometry", "640x480+0+0", "-iconic", "-direct", "-indirect",
          "-gldebug", "-sync", "--scene", "earth-auto"},
         A::Run,
         "",
         false,
         &AppState::showEarthAuto,
         ":7"},
        {{"-geometry", "--bogus"}, A::Run, "", false, intro, ""},
        {{"-display"}, A::Refuse, "'-display'", false, intro, ""},
    };
    for (const Case& c : cases) {
        std::vector<const char*> argv = {"universe"};
        argv.insert(argv.end(), c.args.begin(), c.args.end());
        std::string line;
        for (const char* arg : c.args) line += std::string(" ") + arg;
        const ViewerOptions options =
            parseViewerOptions(static_cast<int>(argv.size()), argv.data());

        EXPECT_EQ(options.action, c.action) << line;
        EXPECT_EQ(options.fullscreen, c.fullscreen) << line;
        EXPECT_EQ(options.displayName, c.display) << line;
        if (c.action == A::Refuse) {
            EXPECT_NE(options.problem.find(c.named), std::string::npos)
                << line << ": " << options.problem;
            EXPECT_LT(options.problem.size(), 200u) << line;
            EXPECT_EQ(answerWithoutWindow(options), 2) << line;  // a usage error, for scripts
        }
        AppState state;
        if (options.startScene) chooseScreen(state, *options.startScene);
        EXPECT_TRUE(state.*c.shown) << line;
    }
    // Without a display the message names the one tried, from -display or
    // from DISPLAY (numbers no server uses).
    EXPECT_NE(displayProblem(":987").find("':987' given by -display"), std::string::npos);
    setenv("DISPLAY", ":986", 1);
    EXPECT_NE(displayProblem("").find("':986' named by DISPLAY"), std::string::npos);
    EXPECT_TRUE(std::regex_match(versionLine(), std::regex("universe [0-9]+\\.[0-9]+\\.[0-9]+")))
        << versionLine();
}

// The page's address: steps in the query's order, names the page does not
// know ignored, the UTF-8 a browser sends turned into Latin-1, and a
// Portuguese message for a wrong value.
TEST(PageAddress, QueriesGiveTheirStepsOrAMessage) {
    struct Case {
        const char* query;
        std::string wrong;  // a piece of the message; "" for none
        size_t steps;
        long frames;  // playbackFrames
        std::vector<std::string> ignored;
    };
    const Case cases[] = {
        {"", "", 0, 1, {}},
        {"?scene=earth-auto&utm_source=mail&fbclid=X1&ticks=300&pause",
         "",
         2,
         302,
         {"utm_source", "fbclid"}},
        {"?ticks=1&scene=universe-auto&ticks=2&scene=earth-manual&keys=as%2B&special=F7,up&size=640x480",
         "",
         9,
         11,
         {}},
        {"?ticks=600000&ticks=400000", "", 2, 1000001, {}},
        {"?ticks=600000&ticks=400001", "'400001' n\xE3o \xE9 um n\xFAmero", 0, 0, {}},
        {"?ticks=-1", "ticks: '-1'", 0, 0, {}},
        {"?screen=intro&size=0x5", "size: '0x5'", 0, 0, {"screen"}},
        {"?scene=%C3%A1gua", "cen\xE1rio desconhecido '\xE1gua'", 0, 0, {}},
        {"?keys=%E2%82%AC", "'\xE2' n\xE3o \xE9 uma das teclas", 0, 0, {}},
        {"?pause=1", "pause n\xE3o leva valor", 0, 0, {}},
        {"?light", "light precisa de um valor", 0, 0, {}},
        {"?stars=on", "'on' n\xE3o \xE9 blink nem steady", 0, 0, {}},
        {"?special=F9", "tecla desconhecida 'F9'", 0, 0, {}},
        {"?keys=r%00", "keys: '%00' n\xE3o \xE9 uma das teclas", 0, 0, {}},
        // Numbers that wrap into range in a 32-bit long, as the browser's is
        // (2^32 + 5 ticks, 2^32 + 100 each way), or in 64 bits (2^64 + 5).
        {"?ticks=4294967301", "ticks: '4294967301'", 0, 0, {}},
        {"?size=4294967396x4294967396", "size: '4294967396x", 0, 0, {}},
        {"?ticks=18446744073709551621", "ticks: '18446744073709551621'", 0, 0, {}},
        {"?ticks=000000000000000000007", "", 1, 8, {}},
    };
    for (const Case& c : cases) {
        AddressRequest request;
        const std::string wrong = parseAddress(c.query, request);
        if (c.wrong.empty()) {
            EXPECT_EQ(wrong, "") << c.query;
            EXPECT_EQ(request.steps.size(), c.steps) << c.query;
            EXPECT_EQ(playbackFrames(request.steps), c.frames) << c.query;
        } else {
            EXPECT_NE(wrong.find(c.wrong), std::string::npos) << c.query << ": " << wrong;
        }
        EXPECT_EQ(request.ignored, c.ignored) << c.query;
    }
    // Keys, camera keys and scenes are capped in all as ticks are.
    AddressRequest most, tooMany;
    EXPECT_EQ(parseAddress("?keys=" + std::string(maxAddressSteps - 1, 'e') + "&special=up", most),
              "");
    EXPECT_EQ(parseAddress("?keys=" + std::string(maxAddressSteps, 'e') + "&special=up", tooMany),
              "special: mais de 1000000 passos (em todos)");
    // Played a frame at a time, the steps reach what the menus and keys
    // would: ticks where they stand, size and pause kept aside.
    AddressRequest request;
    ASSERT_EQ(parseAddress("?ticks=1&scene=universe-auto&ticks=2&scene=earth-manual&keys=as%2B&"
                           "special=F7,up&size=640x480&pause",
                           request),
              "");
    EXPECT_EQ(request.width * 10000 + request.height, 640 * 10000 + 480);
    EXPECT_TRUE(request.pause);
    AppState state;
    StepPlayback at;
    Step applied{};
    long frames = 1;
    while (applyNextStep(state, request.steps, at, applied)) ++frames;
    EXPECT_EQ(frames, playbackFrames(request.steps));
    EXPECT_TRUE(state.showEarthManual);
    EXPECT_TRUE(state.moonGroupManual && state.earthRocketManual);
    EXPECT_DOUBLE_EQ(state.fovY, 25.0);
    EXPECT_FALSE(state.starBlink);                          // three ticks flipped it
    EXPECT_TRUE(state.strideFlag && state.armSwing == 10);  // two strides in the automatic Universe
}

// Plays an address as the page does, a frame per step with the scene's
// record begun where a view reset is pending, and returns the share link of
// the state it reaches (no scene drawn here changes the state while drawn).
static std::string playAndShare(const std::string& query, AppState& state) {
    AddressRequest request;
    EXPECT_EQ(parseAddress(query, request), "") << query;
    SceneRecord record;
    auto frame = [&] {
        if (!state.resetPending) return;
        beginSceneRecord(record, state);
        resetView(state);
        state.resetPending = false;
    };
    frame();
    StepPlayback at;
    Step applied{};
    while (applyNextStep(state, request.steps, at, applied)) {
        noteStep(record, applied);
        frame();
    }
    return "?" + shareQuery(state, record, false, 0, 0);
}

TEST(PageAddress, ShareLinkPlayedBackReachesTheSameState) {
    const char* const queries[] = {
        "?scene=earth-auto&special=F7&keys=ya&ticks=5&scene=universe-auto&keys=d&special=up,F8,F8,left"
        "&ticks=3&light=off",
        "?ticks=7&scene=matrix-universe&keys=x&special=F7,down&ticks=4&axes=off",
        "?scene=universe-auto&ticks=3&scene=intro&ticks=9",
    };
    for (const char* query : queries) {
        AppState first;
        const std::string share = playAndShare(query, first);
        AppState second;
        EXPECT_EQ(playAndShare(share, second), share) << query;
        EXPECT_EQ(stateText(second), stateText(first)) << query << " shared as " << share;
    }
}

static std::string lowerCase(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return std::tolower(c); });
    return text;
}

// The keys a document's key list names, lower-case: README's table (the
// first cell of each row, "F1, F2") or the manual page's tagged paragraphs
// (".BR F1 \", \" F2" after ".TP"), from `from` to `to`.
static std::set<std::string> keysNamedIn(const char* file, const std::string& from,
                                         const std::string& to) {
    std::ifstream in(std::string(UNIVERSE_SOURCE_DIR) + "/" + file);
    std::set<std::string> names;
    bool inside = false, tagged = false;
    for (std::string line; std::getline(in, line);) {
        if (line.rfind(from, 0) == 0) inside = true;
        if (line.rfind(to, 0) == 0) inside = false;
        std::string cell;
        if (inside && line.rfind("| ", 0) == 0 && line.find("| key |") != 0) {
            cell = line.substr(2, line.find(" |", 2) - 2);
        } else if (inside && tagged && line.rfind(".B", 0) == 0) {
            cell = std::regex_replace(line.substr(line.find(' ')), std::regex(R"(\\-)"), "-");
            cell.erase(std::remove(cell.begin(), cell.end(), '"'), cell.end());
        }
        tagged = line == ".TP";
        std::replace(cell.begin(), cell.end(), ',', ' ');
        std::istringstream words(cell);
        for (std::string word; words >> word;) names.insert(lowerCase(word));
    }
    return names;
}

// Each key reaches every place from its row of the key table alone: the
// help menus, --keys or --special and the address, the page's key bar and
// --help; README and the manual page name the same keys.
TEST(KeyTable, EachKeyReachesEveryPlaceFromItsRow) {
    const std::string bar = keyBarJson();
    const std::string terminal = helpText(HelpStyle::Terminal),
                      dialog = helpText(HelpStyle::Dialog);
    std::set<std::string> names;
    for (const ViewerKey& key : viewerKeys) {
        SCOPED_TRACE(key.helpLine);
        const std::vector<MenuEntry> card = helpCardEntries(key.card);
        EXPECT_EQ(std::count_if(card.begin(), card.end(),
                                [&](const MenuEntry& e) {
                                    return e.text == key.helpLine && e.value == key.helpValue;
                                }),
                  1);
        if (!isKey(key)) continue;
        const std::string name = keyName(key), step = key.special ? "special" : "keys";
        names.insert(lowerCase(name));
        std::vector<Step> steps;
        AddressRequest request;
        EXPECT_EQ(parseStep(step, name, steps).english, "");
        EXPECT_EQ(parseAddress(step + "=" + name, request), "");
        for (const std::vector<Step>& got : {steps, request.steps}) {
            ASSERT_EQ(got.size(), 1u);
            EXPECT_EQ(got[0].kind, key.special ? Step::Special : Step::Key);
            EXPECT_EQ(got[0].value, key.code);
        }
        EXPECT_NE(bar.find("{\"key\":\"" + (key.special ? key.browserKey : name) +
                           "\",\"special\":" + (key.special ? "true" : "false") +
                           ",\"code\":" + std::to_string(key.code) + ","),
                  std::string::npos);
        EXPECT_NE(terminal.find("\n  " + name + " "), std::string::npos);
        EXPECT_NE(terminal.find(key.english), std::string::npos);
        EXPECT_NE(dialog.find("\n" + name + ": " + key.english + "\n"), std::string::npos);
    }
    EXPECT_EQ(keysNamedIn("README.md", "### The keys", "### Options"), names);
    EXPECT_EQ(keysNamedIn("docs/man/universe.1.in", ".SS Camera keys", ".SS Quitting"), names);
}
