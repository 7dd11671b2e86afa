// universe-snapshot: draws any screen of the viewer, in any state reached
// through the program's own handlers and idle logic, and writes it as a PNG;
// or, with --gallery, every screen at a fixed moment plus an index page.
// Run without arguments beyond --out for the intro screen; --help lists all.
#include <spawn.h>
#include <sys/wait.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "app/frame_loop.h"
#include "frame_window.h"
#include "gallery.h"
#include "png_file.h"
#include "snapshot_args.h"
#include "state/app_state.h"
#include "swap_capture.h"

extern char** environ;

namespace {

int fail(int status, const std::string& message) {
    std::fprintf(stderr, "universe-snapshot: %s\n", message.c_str());
    if (status == 2) std::fprintf(stderr, "Try 'universe-snapshot --help'.\n");
    return status;
}

// Draws the frames the live program would draw: the start-up frame, one
// after each step, one after each idle tick; the last one is captured.
std::string render(const SnapshotRequest& request, RgbImage& image) {
    const size_t steps = request.steps.size();
    const long frames = 1 + static_cast<long>(steps) + request.ticks;
    long drawn = 0;
    auto frame = [&]() {
        if (++drawn == frames) captureNextSwap(&image);
        drawViewerFrame();
    };
    playSteps(appState, request.steps, request.ticks, frame);
    captureNextSwap(nullptr);
    if (image.width != request.width || image.height != request.height)
        return "the last frame was not captured";
    return "";
}

int snapshot(const SnapshotRequest& request) {
    const std::string unwritable = checkWritable(request.output);
    if (!unwritable.empty()) return fail(2, "--out: " + unwritable);
    const std::string opened = openFrameWindow("universe-snapshot", request.width, request.height);
    if (!opened.empty()) return fail(1, opened);
    RgbImage image;
    const std::string rendered = render(request, image);
    if (!rendered.empty()) return fail(1, rendered);
    const std::string written = writePng(request.output, image);
    if (!written.empty()) return fail(1, written);
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
    if (posix_spawn(&child, "/proc/self/exe", nullptr, nullptr, argv.data(), environ) != 0) return -1;
    int status = 0;
    if (waitpid(child, &status, 0) != child) return -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

int gallery(const SnapshotRequest& request) {
    const std::filesystem::path dir = request.galleryDir;
    std::error_code error;
    std::filesystem::create_directories(dir, error);
    const std::string index = (dir / "index.html").string();
    if (error || !checkWritable(index).empty())
        return fail(2, "--gallery: cannot write into '" + request.galleryDir + "'");
    const std::string size = std::to_string(request.width) + "x" + std::to_string(request.height);
    for (const GalleryShot& shot : galleryShots) {
        std::vector<std::string> args = shot.args;
        const std::string out = (dir / shot.file).string();
        args.insert(args.end(), {"--size", size, "--out", out});
        if (runSelf(args) != 0) return fail(1, "could not draw " + out);
        std::printf("%s\n", out.c_str());
    }
    const std::string written = writeTextFile(index, galleryIndexHtml(request.width, request.height));
    if (!written.empty()) return fail(1, written);
    std::printf("%s\n", index.c_str());
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    SnapshotRequest request;
    const std::string error = parseSnapshotArgs(std::vector<std::string>(argv + 1, argv + argc), request);
    if (!error.empty()) return fail(2, error);
    if (request.help) {
        std::fputs(snapshotUsage, stdout);
        return 0;
    }
    return request.galleryDir.empty() ? snapshot(request) : gallery(request);
}
