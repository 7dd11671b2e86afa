// Compares what an X window shows with reference pictures, for the Windows
// build's smoke test under Wine (scripts/test-windows):
//   universe_window_frame_compare WINDOW_ID MAX_DIFFERING REFERENCE.png... [--save FILE.png]
// A pixel differs when one of its channels is more than 24 levels off. The
// window is judged against its closest reference; one line tells how many
// pixels differ from it and where. Exit status: 0 when at most MAX_DIFFERING
// pixels differ, 1 when more do or the sizes differ, 2 when the window or a
// picture cannot be read.
#include <X11/Xlib.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "png_file.h"
#include "x_window_image.h"

namespace {

constexpr int channelTolerance = 24;

struct Difference {
    long count = 0;
    int left = 0, top = 0, right = -1, bottom = -1;  // box around them
    int largest = 0;                                 // largest channel difference
};

Difference compare(const RgbImage& shown, const RgbImage& reference) {
    Difference d;
    d.left = shown.width;
    d.top = shown.height;
    for (int y = 0; y < shown.height; ++y)
        for (int x = 0; x < shown.width; ++x) {
            const size_t at = (static_cast<size_t>(y) * shown.width + x) * 3;
            int worst = 0;
            for (int c = 0; c < 3; ++c)
                worst = std::max(worst, std::abs(shown.pixels[at + c] - reference.pixels[at + c]));
            d.largest = std::max(d.largest, worst);
            if (worst <= channelTolerance) continue;
            ++d.count;
            d.left = std::min(d.left, x);
            d.top = std::min(d.top, y);
            d.right = std::max(d.right, x);
            d.bottom = std::max(d.bottom, y);
        }
    return d;
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::string> references;
    std::string savePath;
    for (int i = 3; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--save" && i + 1 < argc) {
            savePath = argv[++i];
        } else {
            references.push_back(arg);
        }
    }
    if (argc < 4 || references.empty()) {
        std::fprintf(stderr,
                     "usage: %s WINDOW_ID MAX_DIFFERING REFERENCE.png... [--save FILE.png]\n",
                     argv[0]);
        return 2;
    }
    const Window window = std::strtoul(argv[1], nullptr, 0);
    const long maxDiffering = std::strtol(argv[2], nullptr, 10);

    Display* display = XOpenDisplay(nullptr);
    if (!display) {
        std::fprintf(stderr, "cannot open the X display\n");
        return 2;
    }
    const RgbImage shown = readWindowImage(display, window);
    XCloseDisplay(display);
    if (shown.pixels.empty()) {
        std::fprintf(stderr, "cannot read window %s\n", argv[1]);
        return 2;
    }
    if (!savePath.empty()) {
        const std::string error = writePng(savePath, shown);
        if (!error.empty()) std::fprintf(stderr, "%s\n", error.c_str());
    }

    std::string closest;
    Difference best;
    for (const std::string& path : references) {
        RgbImage reference;
        const std::string error = readPng(path, reference);
        if (!error.empty()) {
            std::fprintf(stderr, "%s\n", error.c_str());
            return 2;
        }
        if (reference.width != shown.width || reference.height != shown.height) {
            std::printf("the window is %dx%d, %s is %dx%d\n", shown.width, shown.height,
                        path.c_str(), reference.width, reference.height);
            return 1;
        }
        const Difference d = compare(shown, reference);
        if (closest.empty() || d.count < best.count) {
            closest = path;
            best = d;
        }
    }

    const std::string closestName = closest.substr(closest.find_last_of('/') + 1);
    std::printf("%ld of %dx%d pixels differ from %s", best.count, shown.width, shown.height,
                closestName.c_str());
    if (best.count > 0)
        std::printf(", within x %d-%d, y %d-%d", best.left, best.right, best.top, best.bottom);
    std::printf(" (largest channel difference %d)\n", best.largest);
    return best.count <= maxDiffering ? 0 : 1;
}
