// The browser platform: the page is the window, so glutCreateWindow has
// given it the title, and there is no display to check nor window to
// decorate. Texts for the user go to the console.
#include "app/platform.h"

#include <cstdio>

void setNativeWindowTitle(const char* /*latin1Title*/) {}

void showUserText(const char* latin1Text, bool isError) {
    std::fputs(latin1Text, isError ? stderr : stdout);
}

bool windowViewable() { return true; }

std::string displayProblem(const std::string& /*displayName*/) { return ""; }

void endDisplayCheck() {}

void decorateWindow() {}

HelpStyle platformHelpStyle() { return HelpStyle::Terminal; }
