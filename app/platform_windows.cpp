// The Windows platform (universe.exe): the title through the wide-character
// API and texts for the user in a message box, since a GUI program has no
// console.
#include "app/platform.h"

// freeglut's header brings in windows.h, set up as freeglut needs it.
#include <GL/freeglut.h>

#include <string>

// Latin-1 is the first 256 code points of Unicode: each byte widens as is.
static std::wstring widenLatin1(const char* text) {
    std::wstring wide;
    for (const unsigned char* c = reinterpret_cast<const unsigned char*>(text); *c; ++c) {
        wide.push_back(static_cast<wchar_t>(*c));
    }
    return wide;
}

void setNativeWindowTitle(const char* latin1Title) {
    // The window whose device context GLUT made current with the window.
    HWND window = WindowFromDC(wglGetCurrentDC());
    if (!window) return;
    // GLUT's window class is an ANSI one: SetWindowTextW would pass the text
    // through its ANSI window procedure, in the code page. The wide default
    // procedure stores the text as given.
    const std::wstring title = widenLatin1(latin1Title);
    DefWindowProcW(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(title.c_str()));
}

void showUserText(const char* latin1Text, bool isError) {
    MessageBoxW(nullptr, widenLatin1(latin1Text).c_str(), L"Universo 3D",
                MB_OK | (isError ? MB_ICONERROR : MB_ICONINFORMATION));
}

bool windowViewable() {
    HWND window = WindowFromDC(wglGetCurrentDC());
    return !window || !IsIconic(window);
}

std::string displayProblem(const std::string& /*displayName*/) { return ""; }

void endDisplayCheck() {}

void decorateWindow() {}

HelpStyle platformHelpStyle() { return HelpStyle::Dialog; }
