// The command line of universe-snapshot: what to show, in which state, at
// which size, and where to write it.
#pragma once

#include <string>
#include <vector>

struct AppState;

// One input fed to the program's own handlers, in command-line order.
struct Step {
    enum Kind { Screen, Option, Key, Special } kind;
    int value;  // screen index, option menu value, character, or GLUT key code
};

struct SnapshotRequest {
    int width = 800;
    int height = 600;
    long ticks = 0;
    std::vector<Step> steps;
    std::string output;      // --out
    std::string galleryDir;  // --gallery
    bool help = false;
};

// Reads the arguments after the program name. Returns "" on success, else a
// message that names the offending argument.
std::string parseSnapshotArgs(const std::vector<std::string>& args, SnapshotRequest& request);

// Applies one step through the handler the live program would call for it.
void applyStep(AppState& state, const Step& step);

extern const char* const snapshotUsage;
