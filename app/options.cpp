#include "app/options.h"

#include "app/platform.h"
#include "app/screens.h"
#include "input/key_table.h"

namespace {

const char* const terminalUsage = "usage: universe [--scene NAME] [--fullscreen] [GLUT options]\n";
const char* const messageBoxUsage = "usage: universe.exe [--scene NAME] [--fullscreen]\n";
const char* usageLine() {
    return platformHelpStyle() == HelpStyle::Dialog ? messageBoxUsage : terminalUsage;
}

// GLUT's X11 options, which glutInit reads from the same argv.
const char* const glutOptionsWithValue[] = {"-display", "-geometry"};
const char* const glutFlags[] = {"-iconic", "-direct", "-indirect", "-gldebug", "-sync"};

template <size_t N>
bool isOneOf(const std::string& arg, const char* const (&names)[N]) {
    for (const char* name : names)
        if (arg == name) return true;
    return false;
}

ViewerOptions refuse(const std::string& problem) {
    ViewerOptions refused;
    refused.action = ViewerOptions::Refuse;
    refused.problem = problem;
    return refused;
}

}  // namespace

std::string quotedArgument(const std::string& text) {
    const size_t longest = 64;
    return "'" + (text.size() > longest ? text.substr(0, longest) + "..." : text) + "'";
}

ViewerOptions parseViewerOptions(int argc, const char* const* argv) {
    ViewerOptions options;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--help" || arg == "-h") {
            options.action = ViewerOptions::ShowHelp;
            return options;
        }
        if (arg == "--version") {
            options.action = ViewerOptions::ShowVersion;
            return options;
        }
        if (arg == "--fullscreen") {
            options.fullscreen = true;
        } else if (arg == "--scene" || arg.rfind("--scene=", 0) == 0) {
            std::string name;
            if (arg == "--scene") {
                if (i + 1 >= argc) return refuse("option '--scene' needs a scene name");
                name = argv[++i];
            } else {
                name = arg.substr(8);
            }
            const Screen* screen = findScreen(name);
            // The farewell ends the program: it is no place to start.
            if (!screen || screen->mainMenuEntry)
                return refuse("--scene: " + quotedArgument(name) + " is not one of " +
                              screenNames(true));
            options.startScene = screen;
        } else if (isOneOf(arg, glutOptionsWithValue)) {
            if (i + 1 >= argc) return refuse("option " + quotedArgument(arg) + " needs a value");
            if (arg == "-display") options.displayName = argv[i + 1];
            ++i;
        } else if (isOneOf(arg, glutFlags)) {
            // GLUT's; nothing for the viewer.
        } else if (arg.size() > 1 && arg[0] == '-') {
            return refuse("unknown option " + quotedArgument(arg));
        } else {
            return refuse("unexpected argument " + quotedArgument(arg));
        }
    }
    return options;
}

std::string versionLine() { return std::string("universe ") + UNIVERSE_VERSION; }

// `name`, then `text` at column `column` (or after a blank where the name
// is longer), for the two-column lists of the terminal's help.
static std::string helpRow(const std::string& name, const std::string& text, size_t column) {
    const std::string indented = "  " + name;
    return indented + std::string(indented.size() < column ? column - indented.size() : 1, ' ') +
           text + "\n";
}

// The keys of one help card, each with what it does: in two columns for a
// terminal, or one key to a line with its words after a colon.
static std::string keyHelp(HelpCard card, HelpStyle style) {
    std::string lines;
    for (const ViewerKey& key : viewerKeys) {
        if (!isKey(key) || key.card != card) continue;
        lines += style == HelpStyle::Dialog ? keyName(key) + ": " + key.english + "\n"
                                            : helpRow(keyName(key), key.english, 9);
    }
    return lines;
}

// The --help text of the X11 viewer, for a terminal: two columns.
static std::string terminalHelpText() {
    std::string scenes;
    for (const Screen& screen : screens)
        if (!screen.mainMenuEntry) scenes += helpRow(screen.name, screen.caption, 19);
    return std::string(terminalUsage) +
           "       universe --help | --version\n"
           "Universo 3D: an animated 3D model of a small universe. The left mouse button\n"
           "opens the menu: scenes, key references, options, \"Sair do universo\" to quit.\n"
           "Options:\n"
           "  --scene NAME   start in this scene, not the intro, as if chosen from the menu\n"
           "  --fullscreen   make the window fill the screen\n"
           "  --help, --version   show this help, or the version\n"
           "  GLUT's own options go to GLUT: -display NAME, -geometry WxH+X+Y, -iconic,\n"
           "  -direct, -indirect, -gldebug, -sync\n"
           "Scenes (NAME):\n" +
           scenes + "Keys, in every scene:\n" + keyHelp(HelpCard::General, HelpStyle::Terminal) +
           "Keys, in the manual scenes:\n" + keyHelp(HelpCard::Manual, HelpStyle::Terminal);
}

// The --help text of the Windows viewer, shown in a message box in a
// proportional font, where columns would not line up: one key to a line,
// its description after a colon, and no X11 options.
static std::string messageBoxHelpText() {
    return std::string(messageBoxUsage) +
           "universe.exe --help | --version\n\n"
           "Universo 3D: an animated 3D model of a small universe. The left mouse button "
           "opens the menu: scenes, key references, options, \"Sair do universo\" to quit.\n\n"
           "Options:\n"
           "--scene NAME: start in this scene, not the intro (" +
           screenNames(true) +
           ")\n"
           "--fullscreen: make the window fill the screen\n"
           "--help, --version: show this help, or the version\n\n"
           "Keys, in every scene:\n" +
           keyHelp(HelpCard::General, HelpStyle::Dialog) + "\nKeys, in the manual scenes:\n" +
           keyHelp(HelpCard::Manual, HelpStyle::Dialog);
}

std::string helpText(HelpStyle style) {
    return style == HelpStyle::Dialog ? messageBoxHelpText() : terminalHelpText();
}

int answerWithoutWindow(const ViewerOptions& options) {
    switch (options.action) {
        case ViewerOptions::ShowHelp: showUserText(helpText().c_str(), false); return 0;
        case ViewerOptions::ShowVersion:
            showUserText((versionLine() + "\n").c_str(), false);
            return 0;
        case ViewerOptions::Refuse:
            showUserText(("universe: " + options.problem + "\n" + usageLine()).c_str(), true);
            return 2;
        case ViewerOptions::Run: break;
    }
    return 0;
}
