// What the browser's GLUT runtime offers beyond GLUT, for the viewer's web
// entry point: frames drawn before the event loop, pausing, the farewell
// period, and what the page shows (the ready flag and a message).
#pragma once

// Calls the display callback at once, as a frame of the event loop would
// (with the first reshape before it when none has happened yet).
void glutWebDisplayNow();

// While paused the event loop makes no idle calls; it still draws when a
// redisplay is posted (after a key or a menu choice).
void glutWebSetPaused(bool paused);

// While held the event loop neither idles nor draws and the page ignores
// keys, the key bar and the menu.
void glutWebHold(bool held);

// Stops the event loop for good and has the page say the program has ended.
void glutWebEnd();

// Tells the page that the start-up frames are drawn (window.universe.ready).
void glutWebSetReady();

// Shows `latin1Message` (Latin-1 bytes) in the page's message area and in
// window.universe.error.
void glutWebShowError(const char* latin1Message);

// The page's query string ("?a=b&c", or "").
const char* glutWebQueryString();
