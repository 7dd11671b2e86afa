// The viewer's command line. GLUT's own X11 options stay in argv for
// glutInit; the viewer's own are read here, before any window exists, so
// that --help, --version and mistakes need no display.
#pragma once

#include <string>

#include "app/platform.h"

struct Screen;

struct ViewerOptions {
    enum Action { Run, ShowHelp, ShowVersion, Refuse };
    Action action = Run;
    std::string problem;                 // Refuse: what is wrong, naming the argument
    bool fullscreen = false;             // --fullscreen
    const Screen* startScene = nullptr;  // --scene NAME; nullptr: the intro, as usual
    std::string displayName;             // GLUT's -display NAME; "" when not given
};

// Reads the arguments after argv[0] in order; the first --help, --version or
// bad argument decides the action. A problem quotes at most 64 characters of
// the argument, then "...". GLUT's options (-display NAME,
// -geometry WxH+X+Y, -iconic, -direct, -indirect, -gldebug, -sync) are
// skipped with their values.
ViewerOptions parseViewerOptions(int argc, const char* const* argv);

// Answers an action other than Run: the help or the version as a text for
// the user (status 0), or the problem and the usage line as an error text
// (status 2); see showUserText. Returns the exit status.
int answerWithoutWindow(const ViewerOptions& options);

// `text` quoted for a message, in single quotes: at most 64 characters of
// it, then "..." (an argument may be as long as the command line allows).
std::string quotedArgument(const std::string& text);

// "universe 1.3.0": the program's name and the project's version.
std::string versionLine();

// The --help text: usage, options and a summary of the keys, in the given
// style (see HelpStyle in app/platform.h).
std::string helpText(HelpStyle style = platformHelpStyle());
