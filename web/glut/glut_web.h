// What the browser's GLUT runtime offers beyond GLUT, for the viewer's web
// entry point: start-up work spread over browser frames, frames drawn
// unseen, pausing, the farewell period, the picture's fixed size, and what
// the page shows (the ready flag, progress, a message, a console line).
#pragma once

// Calls the display callback at once, as a frame of the event loop would
// (with the pending reshape before it). With `visible` false its GL calls
// keep their state but send nothing to WebGL: a frame nobody sees.
void glutWebDisplayNow(bool visible = true);

// Has the event loop call `work` once per browser frame, before and instead
// of anything else, until it returns true; the page takes no input until
// glutWebSetReady.
void glutWebStartUp(bool (*work)());

// Whether idle calls are paused.
bool glutWebPaused();

// Fixes the picture at width x height pixels (shown smaller where the page
// has not the room); call it before glutCreateWindow.
void glutWebFixSize(int width, int height);

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

// Shows `latin1Message` (Latin-1 bytes), what was wrong with the address,
// in the page's message area and in window.universe.error, until
// glutWebClearError; what the runtime says about the WebGL context stays
// beside it.
void glutWebShowError(const char* latin1Message);

// Takes the address's message away again, if one is shown.
void glutWebClearError();

// Shows how far the start-up work is: `done` of `total`.
void glutWebShowProgress(long done, long total);

// Writes `latin1Line` to the browser's console, as information.
void glutWebNote(const char* latin1Line);

// The page's query string ("?a=b&c", or "").
const char* glutWebQueryString();

// The function that draws the frame shown once more for its list of calls
// (the page's glutWebInspect), from the state that frame was drawn from,
// and leaves the viewer's state as it found it.
void glutWebInspectFunc(void (*redraw)());
