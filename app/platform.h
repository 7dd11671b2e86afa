// What the viewer does differently on each platform: the window title,
// where a text for the user goes and in which style, whether a display can
// be opened, and the window's class and icon. Each platform defines these in
// a file of its own, which the build chooses: app/platform_x11.cpp,
// app/platform_windows.cpp, app/platform_web.cpp.
#pragma once

#include <string>

// Gives the current GLUT window `latin1Title` (Latin-1 bytes) as its title
// where GLUT's own is not enough. On X11 glutCreateWindow has set WM_NAME
// in Latin-1; this adds _NET_WM_NAME and _NET_WM_ICON_NAME in UTF-8, which
// today's taskbars and window lists read. On Windows the title is set again
// through the wide-character API, each byte as the code point of the same
// number, so that it reads the same whatever the code page.
void setNativeWindowTitle(const char* latin1Title);

// Whether the current GLUT window can be seen: false while it is iconified
// or unmapped (X11) or minimised (Windows); true where that cannot be told.
bool windowViewable();

// Shows a text for the user (Latin-1 bytes): on standard output, or on
// standard error when `isError`; in a message box on Windows, where the
// viewer has no console.
void showUserText(const char* latin1Text, bool isError);

// How a help text is laid out for where showUserText puts it: a terminal
// (two columns of keys, GLUT's X11 options) or a Windows message box, in a
// proportional font (one key to a line). Not "MessageBox", which windows.h
// defines as a macro.
enum class HelpStyle { Terminal, Dialog };

// The style of this platform: Dialog on Windows, Terminal elsewhere.
HelpStyle platformHelpStyle();

// "" when the display that glutInit would open (`displayName`, GLUT's
// -display, or else DISPLAY) can be opened, else what went wrong, naming
// DISPLAY. Checked before glutInit, which would end the process instead.
// Always "" on Windows.
std::string displayProblem(const std::string& displayName);

// Closes the connection that displayProblem opened; call it once glutInit
// has its own. An X server with no client left resets itself (Xvfb does, by
// default), and a GLUT connection that arrives during that reset fails: the
// check's connection is kept until then so that GLUT never meets one.
void endDisplayCheck();

// Ties the current GLUT window to its desktop entry. On X11: WM_CLASS
// instance "universe", class "Universo3D" (the entry's StartupWMClass), and
// _NET_WM_ICON in four sizes, from the same picture as the desktop icons.
// Nothing on Windows.
void decorateWindow();
