// Drives a program's windows the way a person does, through the X server:
// real pointer and key events sent with the XTest extension, and what the
// windows show read back with XGetImage. Also starts and watches the program
// as a child process. Needs DISPLAY (for example a virtual X server).
#pragma once

#include <sys/types.h>

#include <chrono>
#include <functional>
#include <string>
#include <vector>

using XWindowId = unsigned long;  // an X Window id, without pulling in Xlib.h

struct Rgb {
    int r = 0, g = 0, b = 0;
};

// A window's pixels as read from the X server; rows top to bottom.
struct WindowImage {
    int width = 0;
    int height = 0;
    std::vector<unsigned char> rgb;  // 3 bytes a pixel

    bool empty() const { return rgb.empty(); }
    // (x, y) from the top-left corner; out of range reads as black.
    Rgb at(int x, int y) const;
    bool operator==(const WindowImage& other) const {
        return width == other.width && height == other.height && rgb == other.rgb;
    }
};

// A rectangle in root-window (screen) coordinates.
struct ScreenRect {
    int x = 0, y = 0, width = 0, height = 0;
    bool operator==(const ScreenRect& o) const {
        return x == o.x && y == o.y && width == o.width && height == o.height;
    }
};

// The screen point in the middle of entry `entry` (from 0, top down) of a
// GLUT pop-up menu as freeglut draws it on X11.
void menuEntryCentre(const ScreenRect& menu, int entry, int* x, int* y);

// Polls `condition` every `interval` until it holds or `timeout` has passed;
// says whether it held.
bool waitUntil(const std::function<bool()>& condition, std::chrono::milliseconds timeout,
               std::chrono::milliseconds interval = std::chrono::milliseconds(40));

// One connection to the X server named by DISPLAY.
class XDriver {
public:
    XDriver();
    ~XDriver();
    XDriver(const XDriver&) = delete;
    XDriver& operator=(const XDriver&) = delete;

    // Whether the display opened and the XTest extension is present.
    bool ready() const { return display_ != nullptr && xtest_; }
    bool opened() const { return display_ != nullptr; }

    // The top-level windows whose WM_NAME is exactly `title` (raw bytes).
    std::vector<XWindowId> findWindows(const std::string& title);
    // The raw bytes of a window's WM_NAME property.
    std::string titleBytes(XWindowId window);
    // The raw bytes of the property `name` (8-bit and 16-bit data as held;
    // 32-bit data as Xlib hands it); empty when the window has none.
    std::string propertyBytes(XWindowId window, const char* name);
    // The window's rectangle on the screen, read from the server.
    ScreenRect rect(XWindowId window);
    bool viewable(XWindowId window);
    // Reads what the window shows.
    WindowImage capture(XWindowId window);
    // Reads the whole screen, as a person sees it.
    WindowImage captureScreen();

    // Mapped override-redirect top-level windows (pop-up menus), bottom to
    // top of the stacking order.
    std::vector<ScreenRect> popups();
    // Waits up to `timeout` for a pop-up that is not among `known` and adds
    // it there; says whether one appeared.
    bool waitForNewPopup(std::vector<ScreenRect>& known, std::chrono::milliseconds timeout);

    // Chooses an entry of a GLUT pop-up menu the way a person does: a click
    // at (screenX, screenY) opens the menu; the pointer rests on each entry
    // of `path` but the last, each a submenu, until that submenu opens; then
    // a click on the last entry chooses it. Entries count from 0, top down.
    // Each step may take up to `stepTimeout`. On success the menus seen are
    // in `menus` (outermost first); on failure `failure` says which step.
    bool chooseMenuEntry(int screenX, int screenY, const std::vector<int>& path,
                         std::chrono::milliseconds stepTimeout, std::vector<ScreenRect>* menus,
                         std::string* failure);

    // Pointer and keys. Each call flushes, so the server has the event.
    void movePointer(int screenX, int screenY);
    void pressButton(int button);
    void releaseButton(int button);
    void clickButton(int button);  // press, then release, where the pointer is
    // Presses and releases the key that types `keysym`, holding Shift
    // around it when the keysym sits on the key's shifted level.
    void tapKey(unsigned long keysym);
    void resizeWindow(XWindowId window, int width, int height);

private:
    struct _XDisplay* display_ = nullptr;
    bool xtest_ = false;
};

// A program started in the background with the caller's environment.
class ChildProcess {
public:
    ChildProcess() = default;
    ~ChildProcess();  // kills the program if it is still running
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    bool start(const std::string& path, const std::vector<std::string>& args = {});
    pid_t pid() const { return pid_; }
    // Whether it is still running (reaps it when it has ended).
    bool running();
    // Waits up to `timeout` for the program to end; true when it has, with
    // its status in exitStatus()/signalled().
    bool waitExit(std::chrono::milliseconds timeout);
    bool exited() const { return ended_; }
    int exitStatus() const { return exitStatus_; }  // -1 unless it exited normally
    int termSignal() const { return termSignal_; }  // 0 unless a signal ended it
    void kill();

private:
    void noteStatus(int status);
    pid_t pid_ = -1;
    bool ended_ = false;
    int exitStatus_ = -1;
    int termSignal_ = 0;
};
