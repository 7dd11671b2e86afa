// universe-bench: frame times of every screen, and a soak that watches
// memory, GL errors and the matrix stacks over a long run.
//   universe-bench [--size WxH] [--frames N] [--warmup N] [--screens A,B]
//                  [--json FILE]
//   universe-bench --soak FRAMES [--size WxH]
#include <GL/freeglut.h>
#include <malloc.h>
#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "app/menus.h"
#include "app/options.h"
#include "app/screens.h"
#include "cli_args.h"
#include "frame_stats.h"
#include "frame_window.h"
#include "png_file.h"
#include "quadric_count.h"
#include "state/app_state.h"
#include "swap_capture.h"

namespace {

const char* const usageText =
    "usage: universe-bench [--size WxH] [--frames N] [--warmup N] [--screens A,B,...] [--json FILE]\n"
    "       universe-bench --soak FRAMES [--size WxH]\n"
    "Draws every screen (or those named) in a window of the given size (default\n"
    "800x600): N warm-up frames (default 5), then N measured frames (default 30),\n"
    "each an idle tick and a display as in the live program, and prints the\n"
    "median and spread of the frame times, frames per second and peak resident\n"
    "memory. --soak draws exactly FRAMES frames, cycling through every screen\n"
    "under every option, after a warm-up of 112 frames, and fails on memory\n"
    "growth, a GL error, an unbalanced matrix stack or a GLU quadric left alive;\n"
    "it takes no --frames, --warmup, --screens or --json.\n";

struct BenchOptions {
    int width = 800, height = 600;
    long frames = 30, warmup = 5, soakFrames = 0;
    std::vector<const Screen*> screens;
    std::string json;
};

int fail(int status, const std::string& message) {
    std::fprintf(stderr, "universe-bench: %s\n", message.c_str());
    if (status == 2) std::fprintf(stderr, "Try 'universe-bench --help'.\n");
    return status;
}

// Every option but --help takes a value; the last four only measure.
const std::string benchFlags[] = {"--size",   "--soak",    "--frames",
                                  "--warmup", "--screens", "--json"};

std::string parseBenchArgs(int argc, char** argv, BenchOptions& options) {
    std::string measuringFlag;  // the last of --frames, --warmup, --screens, --json given
    for (int i = 1; i < argc; ++i) {
        const std::string flag = argv[i];
        const std::string* known = std::find(std::begin(benchFlags), std::end(benchFlags), flag);
        if (known == std::end(benchFlags)) return unknownArgument(flag);
        if (known - benchFlags >= 2) measuringFlag = flag;
        if (i + 1 >= argc) return flag + " needs a value";
        const std::string value = argv[++i];
        if (flag == "--size") {
            if (!parseSize(value, options.width, options.height))
                return "--size: " + quotedArgument(value) +
                       " is not WIDTHxHEIGHT with sides 1 to 8192";
        } else if (flag == "--frames") {
            if (!parseCount(value, 1, 100000, options.frames))
                return "--frames: " + quotedArgument(value) + " is not a number from 1 to 100000";
        } else if (flag == "--warmup") {
            if (!parseCount(value, 0, 100000, options.warmup))
                return "--warmup: " + quotedArgument(value) + " is not a number from 0 to 100000";
        } else if (flag == "--soak") {
            if (!parseCount(value, 1, 100000000, options.soakFrames))
                return "--soak: " + quotedArgument(value) + " is not a number of frames";
        } else if (flag == "--json") {
            if (value.empty()) return "--json: empty path";
            options.json = value;
        } else if (flag == "--screens") {
            size_t start = 0;
            for (;;) {
                const size_t comma = value.find(',', start);
                const std::string name = value.substr(start, comma - start);
                const Screen* screen = findScreen(name);
                if (!screen)
                    return "--screens: unknown screen " + quotedArgument(name) + " (one of " +
                           screenNames() + ")";
                options.screens.push_back(screen);
                if (comma == std::string::npos) break;
                start = comma + 1;
            }
        }
    }
    if (options.soakFrames > 0 && !measuringFlag.empty())
        return "--soak takes only --size: " + measuringFlag + " is for the frame-time measurement";
    if (options.screens.empty())
        for (const Screen& screen : screens) options.screens.push_back(&screen);
    return "";
}

long peakRssKiB() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

long currentRssKiB() {
    long pages = 0, resident = 0;
    std::ifstream statm("/proc/self/statm");
    statm >> pages >> resident;
    return resident * (sysconf(_SC_PAGESIZE) / 1024);
}

// One measured frame; its own symbol, so that a profiler can collect inside
// it alone (see scripts/profile-share).
extern "C" __attribute__((noinline)) void universeBenchFrame() {
    idleTickAndFrame();
    glFinish();
}

double timedFrameMs() {
    const auto start = std::chrono::steady_clock::now();
    universeBenchFrame();
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
        .count();
}

int bench(const BenchOptions& options) {
    BenchReport report;
    report.renderer = reinterpret_cast<const char*>(glGetString(GL_RENDERER));
    report.width = options.width;
    report.height = options.height;
    report.warmup = static_cast<int>(options.warmup);
    report.frames = static_cast<int>(options.frames);
    drawViewerFrame();  // the start-up frame
    for (const Screen* screen : options.screens) {
        chooseScreen(appState, *screen);
        drawViewerFrame();  // the frame the menu choice requests
        for (long i = 0; i < options.warmup; ++i) idleTickAndFrame();
        glFinish();
        std::vector<double> times;
        for (long i = 0; i < options.frames; ++i) times.push_back(timedFrameMs());
        report.screens.push_back(summarise(screen->name, times, peakRssKiB()));
    }
    // With --json -, the JSON alone goes to standard output.
    std::fputs(benchTable(report).c_str(), options.json == "-" ? stderr : stdout);
    if (!options.json.empty()) {
        const std::string written = writeTextFile(options.json, benchJson(report));
        if (!written.empty()) return fail(1, written);
    }
    return 0;
}

// What must hold after every frame: one swap, no GL error, both matrix
// stacks back at their bottom entry, no attribute left pushed and no GLU
// quadric left alive.
std::string frameProblem(long swapsBefore) {
    const GLenum error = glGetError();
    if (error != GL_NO_ERROR) {
        while (glGetError() != GL_NO_ERROR) {}
        char code[16];
        std::snprintf(code, sizeof code, "0x%04x", error);
        return std::string("GL error ") + code;
    }
    GLint modelview = 0, projection = 0, attrib = 0;
    glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &modelview);
    glGetIntegerv(GL_PROJECTION_STACK_DEPTH, &projection);
    glGetIntegerv(GL_ATTRIB_STACK_DEPTH, &attrib);
    if (modelview != 1 || projection != 1 || attrib != 0)
        return "stack depths model-view " + std::to_string(modelview) + ", projection " +
               std::to_string(projection) + ", attributes " + std::to_string(attrib) +
               " (expected 1, 1, 0)";
    GLint mode = 0;
    glGetIntegerv(GL_MATRIX_MODE, &mode);
    if (mode != GL_MODELVIEW) return "the projection matrix was left current";
    const long swaps = swapCount() - swapsBefore;
    if (swaps != 1) return std::to_string(swaps) + " buffer swaps in one frame";
    if (liveQuadrics() != 0) return std::to_string(liveQuadrics()) + " GLU quadrics left alive";
    return "";
}

// The soak visits every screen under each of the eight combinations of the
// three options, chosen through the menu, two frames a visit. The first
// round through all eight is the warm-up, after which the driver has met
// every state it will; memory is measured from the end of that round on,
// after each later whole pass over the seven screens (mid-pass, the screen
// just drawn still holds working memory). The last pass may stop early: the
// soak draws exactly FRAMES frames, each checked.
const int combinations = 8;
const int framesPerVisit = 2;
const long memoryBoundKiB = 4096;

int soak(const BenchOptions& options) {
    const long warmupFrames = combinations * 7L * framesPerVisit;
    long frame = 0, baselineRss = 0, worstRss = 0;
    size_t baselineHeap = 0, worstHeap = 0;
    drawViewerFrame();  // the start-up frame
    const long lastFrame = warmupFrames + options.soakFrames;
    for (long pass = 0; frame < lastFrame; ++pass) {
        const int combination = static_cast<int>(pass % combinations);
        chooseOption(appState, (combination & 1) ? 2 : 1);  // axes
        chooseOption(appState, (combination & 2) ? 6 : 5);  // light
        chooseOption(appState, (combination & 4) ? 4 : 3);  // stars
        for (const Screen& screen : screens) {
            if (frame == lastFrame) break;
            chooseScreen(appState, screen);
            for (int visit = 0; visit < framesPerVisit && frame < lastFrame; ++visit, ++frame) {
                const long swapsBefore = swapCount();
                if (visit == 0) {
                    drawViewerFrame();  // the frame the menu choice requests
                } else {
                    idleTickAndFrame();
                }
                const std::string problem = frameProblem(swapsBefore);
                if (!problem.empty())
                    return fail(1, "soak frame " + std::to_string(frame) + " (" + screen.name +
                                       "): " + problem);
            }
        }
        const long framesPerPass = static_cast<long>(std::size(screens)) * framesPerVisit;
        const bool wholePass = frame % framesPerPass == 0;
        if (frame < warmupFrames || !wholePass) continue;
        // Measure with no frame in flight and freed memory handed back.
        glFinish();
        malloc_trim(0);
        const long rss = currentRssKiB();
        const size_t heap = mallinfo2().uordblks;
        if (frame == warmupFrames) {
            baselineRss = rss;
            baselineHeap = heap;
        }
        worstRss = std::max(worstRss, rss);
        worstHeap = std::max(worstHeap, heap);
    }
    const long rssGrowth = worstRss - baselineRss;
    const long heapGrowth = static_cast<long>((worstHeap - baselineHeap) / 1024);
    std::printf(
        "soak: %ld frames after a %ld-frame warm-up at %dx%d; resident memory %ld KiB, then at "
        "most +%ld KiB; heap in use at most +%ld KiB; no GL error, unbalanced stack or live quadric\n",
        frame - warmupFrames, warmupFrames, options.width, options.height, baselineRss, rssGrowth,
        heapGrowth);
    if (rssGrowth > memoryBoundKiB || heapGrowth > memoryBoundKiB)
        return fail(1, "memory grew by more than " + std::to_string(memoryBoundKiB) +
                           " KiB after the warm-up");
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "-h" || arg == "--help") {
            std::fputs(usageText, stdout);
            const std::string closed = closeStandardOutput();
            return closed.empty() ? 0 : fail(1, closed);
        }
    }
    BenchOptions options;
    const std::string error = parseBenchArgs(argc, argv, options);
    if (!error.empty()) return fail(2, error);
    // A JSON file that cannot be written is refused before anything is
    // drawn: a folder as a wrong argument, a missing or closed folder not.
    const std::string unwritable = options.json.empty() ? "" : checkWritable(options.json);
    if (!unwritable.empty())
        return fail(std::filesystem::is_directory(options.json) ? 2 : 1, "--json: " + unwritable);
    if (options.soakFrames > 0) {
        // Mesa's llvmpipe, with rasterising threads, keeps a queue of frames
        // whose memory (tens of MiB) comes and goes with thread timing and
        // would hide a slow leak; drawing on this thread alone keeps the
        // driver's memory flat. Other drivers ignore the variable.
        setenv("LP_NUM_THREADS", "0", 0);
    }
    const std::string opened = openFrameWindow("universe-bench", options.width, options.height);
    if (!opened.empty()) return fail(1, opened);
    const int status = options.soakFrames > 0 ? soak(options) : bench(options);
    const std::string closed = closeStandardOutput();
    return status == 0 && !closed.empty() ? fail(1, closed) : status;
}
