#include "support/x_driver.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <thread>
#include <utility>

#include "x_window_image.h"

extern char** environ;

Rgb WindowImage::at(int x, int y) const {
    if (x < 0 || y < 0 || x >= width || y >= height) return {};
    const size_t i = (static_cast<size_t>(y) * width + x) * 3;
    return {rgb[i], rgb[i + 1], rgb[i + 2]};
}

bool waitUntil(const std::function<bool()>& condition, std::chrono::milliseconds timeout,
               std::chrono::milliseconds interval) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    for (;;) {
        if (condition()) return true;
        if (std::chrono::steady_clock::now() >= deadline) return false;
        std::this_thread::sleep_for(interval);
    }
}

// A window of the driven program can vanish between two requests (it may
// exit at any time); the request then fails and the caller sees an empty
// answer instead of Xlib ending the process.
static int ignoreXError(Display*, XErrorEvent*) { return 0; }

XDriver::XDriver() {
    XSetErrorHandler(ignoreXError);
    // A busy server may turn a connection away for a while.
    waitUntil([this] { return (display_ = XOpenDisplay(nullptr)) != nullptr; },
              std::chrono::milliseconds(30000), std::chrono::milliseconds(200));
    if (!display_) return;
    int event, error, major, minor;
    xtest_ = XTestQueryExtension(display_, &event, &error, &major, &minor);
}

XDriver::~XDriver() {
    if (display_) XCloseDisplay(display_);
}

// Reads a whole property as bytes; `type` receives its type atom.
static std::string readProperty(Display* d, Window w, Atom property, Atom* type = nullptr) {
    Atom actualType = None;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    std::string bytes;
    if (XGetWindowProperty(d, w, property, 0, 1 << 16, False, AnyPropertyType, &actualType, &format,
                           &count, &after, &data) == Success &&
        data) {
        bytes.assign(reinterpret_cast<char*>(data), count * (format / 8));
        XFree(data);
    }
    if (type) *type = actualType;
    return bytes;
}

std::string XDriver::titleBytes(XWindowId window) {
    return readProperty(display_, window, XA_WM_NAME);
}

std::string XDriver::propertyBytes(XWindowId window, const char* name) {
    return readProperty(display_, window, XInternAtom(display_, name, False));
}

std::vector<XWindowId> XDriver::findWindows(const std::string& title) {
    std::vector<XWindowId> found;
    Window root, parent, *children = nullptr;
    unsigned count = 0;
    if (!XQueryTree(display_, DefaultRootWindow(display_), &root, &parent, &children, &count))
        return found;
    for (unsigned i = 0; i < count; ++i)
        if (titleBytes(children[i]) == title) found.push_back(children[i]);
    if (children) XFree(children);
    return found;
}

ScreenRect XDriver::rect(XWindowId window) {
    XWindowAttributes a;
    if (!XGetWindowAttributes(display_, window, &a)) return {};
    int x = 0, y = 0;
    Window child;
    XTranslateCoordinates(display_, window, DefaultRootWindow(display_), 0, 0, &x, &y, &child);
    return {x, y, a.width, a.height};
}

bool XDriver::viewable(XWindowId window) {
    XWindowAttributes a;
    return XGetWindowAttributes(display_, window, &a) && a.map_state == IsViewable;
}

WindowImage XDriver::capture(XWindowId window) {
    XWindowAttributes a;
    if (!XGetWindowAttributes(display_, window, &a) || a.map_state != IsViewable) return {};
    RgbImage shot = readWindowImage(display_, window);
    return {shot.width, shot.height, std::move(shot.pixels)};
}

WindowImage XDriver::captureScreen() {
    RgbImage shot = readWindowImage(display_, DefaultRootWindow(display_));
    return {shot.width, shot.height, std::move(shot.pixels)};
}

std::vector<ScreenRect> XDriver::popups() {
    std::vector<ScreenRect> found;
    Window root, parent, *children = nullptr;
    unsigned count = 0;
    if (!XQueryTree(display_, DefaultRootWindow(display_), &root, &parent, &children, &count))
        return found;
    for (unsigned i = 0; i < count; ++i) {
        XWindowAttributes a;
        if (XGetWindowAttributes(display_, children[i], &a) && a.override_redirect &&
            a.map_state == IsViewable)
            found.push_back({a.x, a.y, a.width, a.height});
    }
    if (children) XFree(children);
    return found;
}

// GLUT's pop-up menus (as freeglut draws them): a 2-pixel border above the
// first entry and entries 25 pixels tall.
static const int menuBorder = 2;
static const int menuEntryHeight = 25;

void menuEntryCentre(const ScreenRect& menu, int entry, int* x, int* y) {
    *x = menu.x + menu.width / 2;
    *y = menu.y + menuBorder + entry * menuEntryHeight + menuEntryHeight / 2;
}

bool XDriver::waitForNewPopup(std::vector<ScreenRect>& known, std::chrono::milliseconds timeout) {
    ScreenRect fresh;
    const bool appeared = waitUntil(
        [&] {
            for (const ScreenRect& r : popups()) {
                if (std::find(known.begin(), known.end(), r) == known.end()) {
                    fresh = r;
                    return true;
                }
            }
            return false;
        },
        timeout);
    if (appeared) known.push_back(fresh);
    return appeared;
}

bool XDriver::chooseMenuEntry(int screenX, int screenY, const std::vector<int>& path,
                              std::chrono::milliseconds stepTimeout, std::vector<ScreenRect>* menus,
                              std::string* failure) {
    std::vector<ScreenRect> open;
    auto fail = [&](const std::string& why) {
        if (failure) *failure = why;
        if (menus) *menus = open;
        return false;
    };
    auto waitForNewMenu = [&] { return waitForNewPopup(open, stepTimeout); };

    if (path.empty()) return fail("no entry to choose");
    if (!popups().empty()) return fail("a menu was already open");
    movePointer(screenX, screenY);
    clickButton(1);
    if (!waitForNewMenu()) return fail("the menu did not open on a click");
    for (size_t level = 0; level < path.size(); ++level) {
        int x = 0, y = 0;
        menuEntryCentre(open.back(), path[level], &x, &y);
        movePointer(x, y);
        if (level + 1 < path.size()) {
            if (!waitForNewMenu())
                return fail("submenu " + std::to_string(level + 1) + " did not open");
        } else {
            clickButton(1);
        }
    }
    if (menus) *menus = open;
    if (!waitUntil([&] { return popups().empty(); }, stepTimeout))
        return fail("the menus stayed open after the choice");
    return true;
}

void XDriver::movePointer(int screenX, int screenY) {
    XTestFakeMotionEvent(display_, DefaultScreen(display_), screenX, screenY, CurrentTime);
    XSync(display_, False);
}

void XDriver::pressButton(int button) {
    XTestFakeButtonEvent(display_, button, True, CurrentTime);
    XSync(display_, False);
}

void XDriver::releaseButton(int button) {
    XTestFakeButtonEvent(display_, button, False, CurrentTime);
    XSync(display_, False);
}

void XDriver::clickButton(int button) {
    pressButton(button);
    releaseButton(button);
}

void XDriver::tapKey(unsigned long keysym) {
    const KeyCode code = XKeysymToKeycode(display_, keysym);
    if (!code) return;
    int perCode = 0;
    KeySym* syms = XGetKeyboardMapping(display_, code, 1, &perCode);
    const bool shifted = syms && perCode > 1 && syms[0] != keysym && syms[1] == keysym;
    if (syms) XFree(syms);
    const KeyCode shift = XKeysymToKeycode(display_, XK_Shift_L);
    if (shifted) XTestFakeKeyEvent(display_, shift, True, CurrentTime);
    XTestFakeKeyEvent(display_, code, True, CurrentTime);
    XTestFakeKeyEvent(display_, code, False, CurrentTime);
    if (shifted) XTestFakeKeyEvent(display_, shift, False, CurrentTime);
    XSync(display_, False);
}

void XDriver::resizeWindow(XWindowId window, int width, int height) {
    XResizeWindow(display_, window, width, height);
    XSync(display_, False);
}

ChildProcess::~ChildProcess() { kill(); }

bool ChildProcess::start(const std::string& path, const std::vector<std::string>& args) {
    std::vector<std::string> all{path};
    all.insert(all.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (std::string& a : all) argv.push_back(&a[0]);
    argv.push_back(nullptr);
    ended_ = false;
    exitStatus_ = -1;
    termSignal_ = 0;
    if (posix_spawn(&pid_, path.c_str(), nullptr, nullptr, argv.data(), environ) != 0) {
        pid_ = -1;
        return false;
    }
    return true;
}

void ChildProcess::noteStatus(int status) {
    ended_ = true;
    if (WIFEXITED(status)) exitStatus_ = WEXITSTATUS(status);
    if (WIFSIGNALED(status)) termSignal_ = WTERMSIG(status);
}

bool ChildProcess::running() {
    if (pid_ <= 0 || ended_) return false;
    int status = 0;
    if (waitpid(pid_, &status, WNOHANG) == pid_) noteStatus(status);
    return !ended_;
}

bool ChildProcess::waitExit(std::chrono::milliseconds timeout) {
    return waitUntil([this] { return !running(); }, timeout, std::chrono::milliseconds(20)) &&
           ended_;
}

void ChildProcess::kill() {
    if (!running()) return;
    ::kill(pid_, SIGTERM);
    if (!waitExit(std::chrono::milliseconds(3000))) {
        ::kill(pid_, SIGKILL);
        waitExit(std::chrono::milliseconds(3000));
    }
}
