// What the viewer does differently on Windows, kept in one place: the window
// title and where a text for the user goes.
#pragma once

// Gives the current GLUT window `latin1Title` (Latin-1 bytes) as its title.
// glutCreateWindow has set it already on X11, where the bytes are the
// title's own encoding, so there this does nothing. On Windows the title is
// set again through the wide-character API, each byte as the code point of
// the same number, so that it reads the same whatever the code page.
void setNativeWindowTitle(const char* latin1Title);

// Shows a text for the user (Latin-1 bytes): on standard output, or on
// standard error when `isError`; in a message box on Windows, where the
// viewer has no console.
void showUserText(const char* latin1Text, bool isError);
