// The command line of universe-snapshot: what to show, in which state, at
// which size, and where to write it.
#pragma once

#include <string>
#include <vector>

#include "app/steps.h"
#include "numbered_files.h"

struct SnapshotRequest {
    int width = 800;
    int height = 600;
    long ticks = 0;
    std::vector<Step> steps;
    long frames = 1;        // --frames: how many of the last frames are written
    std::string output;     // --out: a file, or "-" for standard output
    bool numbered = false;  // with --frames, --out held a pattern: the frames go to `files`
    NumberedFiles files;
    std::string calls;       // --calls: the last frame's calls as text, a file or "-"
    bool force = false;      // --force: numbered files past the clip's last may exist
    std::string galleryDir;  // --gallery
    bool help = false;
};

// Reads the arguments after the program name. Returns "" on success, else a
// message that names the offending argument.
std::string parseSnapshotArgs(const std::vector<std::string>& args, SnapshotRequest& request);

// The --help text: usage, the steps (the screens and keys from their
// tables) and the options.
std::string snapshotUsage();
