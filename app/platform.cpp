#include "app/platform.h"

#include <GL/freeglut.h>

#ifdef _WIN32

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

#else

#include <cstdio>

void setNativeWindowTitle(const char* /*latin1Title*/) {}

void showUserText(const char* latin1Text, bool isError) {
    std::fputs(latin1Text, isError ? stderr : stdout);
}

#endif
