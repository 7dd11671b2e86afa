// universe-snapshot: draws any screen of the viewer, in any state reached
// through the program's own handlers and idle logic, and writes it as a PNG
// (with --frames, its last frames as a PNG stream or numbered files); or,
// with --gallery, every screen at a fixed moment plus an index page.
// Run without arguments beyond --out for the intro screen; --help lists all.
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "app/frame_loop.h"
#include "frame_window.h"
#include "gallery.h"
#include "output_file.h"
#include "png_file.h"
#include "snapshot_args.h"
#include "state/app_state.h"
#include "swap_capture.h"
#include "web/calls/call_recorder.h"

extern char** environ;

namespace {

int fail(int status, const std::string& message) {
    std::fprintf(stderr, "universe-snapshot: %s\n", message.c_str());
    if (status == 2) std::fprintf(stderr, "Try 'universe-snapshot --help'.\n");
    return status;
}

// Where frame `number` of those written (from 1) goes.
std::string frameOutput(const SnapshotRequest& request, long number) {
    return request.numbered ? numberedFile(request.files, number) : request.output;
}

// The calls of the last frame drawn, for --calls.
calls::CallFrame lastFrameCalls;

// Draws the frames the live program would draw: the start-up frame, one
// after each step, one after each idle tick; the last `request.frames` are
// captured and written as each is drawn, so that a long clip is never held
// whole; with --calls, the last frame's calls are recorded and written after
// it. Stops writing at the first failure, which it returns; the frames
// written before it stay.
std::string render(const SnapshotRequest& request) {
    const long frames = playbackFrames(request.steps) + request.ticks;
    const long firstWritten = frames - request.frames + 1;
    long drawn = 0;
    std::string failure;
    auto frame = [&]() {
        if (!failure.empty()) return;  // a failed clip draws no more
        const bool written = ++drawn >= firstWritten;
        RgbImage image;
        if (written) captureNextSwap(&image);
        const bool last = drawn == frames;
        if (last && !request.calls.empty()) calls::recordCalls(&lastFrameCalls);
        drawViewerFrame();
        calls::recordCalls(nullptr);
        if (!written) return;
        captureNextSwap(nullptr);
        if (image.width != request.width || image.height != request.height)
            failure = "frame " + std::to_string(drawn) + " was not captured";
        else
            failure = writePng(frameOutput(request, drawn - firstWritten + 1), image);
    };
    playSteps(appState, request.steps, request.ticks, frame);
    if (failure.empty() && !request.calls.empty())
        failure = writeTextFile(request.calls, calls::callsText(lastFrameCalls) + "\n");
    return failure;
}

int snapshot(const SnapshotRequest& request) {
    // Numbered files over an older, longer clip would leave its last frames
    // after the new ones, and a reader of the sequence would take them too.
    if (request.numbered && !request.force) {
        const std::string after = numberedFile(request.files, request.frames + 1);
        struct stat entry {};
        if (::lstat(after.c_str(), &entry) == 0)
            return fail(2, "--out: '" + after +
                               "' exists, from an older clip; remove it or give --force");
    }
    // A folder given as the file is a wrong argument; a folder that is
    // missing or closed to the user is not.
    const std::string first = frameOutput(request, 1);
    const std::string unwritable = checkWritable(first);
    if (!unwritable.empty())
        return fail(std::filesystem::is_directory(first) ? 2 : 1, "--out: " + unwritable);
    const std::string callsUnwritable = request.calls.empty() ? "" : checkWritable(request.calls);
    if (!callsUnwritable.empty())
        return fail(std::filesystem::is_directory(request.calls) ? 2 : 1,
                    "--calls: " + callsUnwritable);
    const std::string opened = openFrameWindow("universe-snapshot", request.width, request.height);
    if (!opened.empty()) return fail(1, opened);
    const std::string rendered = render(request);
    if (!rendered.empty()) return fail(1, rendered);
    return 0;
}

// Runs this program again for one picture, so that each gallery picture is
// exactly what its documented command gives, from a fresh process.
int runSelf(const std::vector<std::string>& args) {
    std::vector<char*> argv;
    std::string self = "universe-snapshot";
    argv.push_back(self.data());
    std::vector<std::string> copies = args;
    for (std::string& arg : copies) argv.push_back(arg.data());
    argv.push_back(nullptr);
    pid_t child = 0;
    if (posix_spawn(&child, "/proc/self/exe", nullptr, nullptr, argv.data(), environ) != 0)
        return -1;
    int status = 0;
    if (waitpid(child, &status, 0) != child) return -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

int gallery(const SnapshotRequest& request) {
    const std::filesystem::path dir = request.galleryDir;
    std::error_code error;
    std::filesystem::create_directories(dir, error);
    if (error)
        return fail(1, "--gallery: cannot make '" + request.galleryDir + "': " + error.message());
    const std::string index = (dir / "index.html").string();
    const std::string unwritable = checkWritable(index);
    if (!unwritable.empty()) return fail(1, "--gallery: " + unwritable);
    const std::string size = std::to_string(request.width) + "x" + std::to_string(request.height);
    for (const GalleryShot& shot : galleryShots) {
        std::vector<std::string> args = shot.args;
        const std::string out = (dir / shot.file).string();
        args.insert(args.end(), {"--size", size, "--out", out});
        if (runSelf(args) != 0) return fail(1, "could not draw " + out);
        std::printf("%s\n", out.c_str());
    }
    const std::string written =
        writeTextFile(index, galleryIndexHtml(request.width, request.height));
    if (!written.empty()) return fail(1, written);
    std::printf("%s\n", index.c_str());
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    SnapshotRequest request;
    const std::string error =
        parseSnapshotArgs(std::vector<std::string>(argv + 1, argv + argc), request);
    if (!error.empty()) return fail(2, error);
    int status = 0;
    if (request.help)
        std::fputs(snapshotUsage().c_str(), stdout);
    else
        status = request.galleryDir.empty() ? snapshot(request) : gallery(request);
    const std::string closed = closeStandardOutput();
    return status == 0 && !closed.empty() ? fail(1, closed) : status;
}
