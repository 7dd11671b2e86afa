// Build step: writes the desktop entry, the desktop icons and the window
// icon, all from one gallery picture of the automatic Universe.
//   universe-install-files OUT_DIR GALLERY_PICTURE ICON_SIZE...
// writes OUT_DIR/universo3d.desktop,
//        OUT_DIR/icons/hicolor/NxN/apps/universo3d.png for each ICON_SIZE,
//        OUT_DIR/window_icon.inc (the _NET_WM_ICON data the viewer compiles in).
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "install_files.h"
#include "png_file.h"

namespace {

// The sun sits at the picture's centre; the middle 40% of its height holds
// the sun and the nearest planets, which read at 48 pixels (at 16, the sun).
const double iconShare = 0.40;
const int windowIconSizes[] = {16, 32, 48, 64};

// One icon per size as C initialiser text: width, height, then 0xAARRGGBB
// pixels, opaque.
std::string windowIconTable(const RgbImage& picture) {
    std::string text =
        "// Made by universe-install-files: width, height, then ARGB pixels, per size.\n";
    char number[16];
    for (int size : windowIconSizes) {
        const RgbImage icon = squareThumbnail(picture, size, iconShare);
        text += std::to_string(size) + ", " + std::to_string(size) + ",\n";
        for (int y = 0; y < size; ++y) {
            for (int x = 0; x < size; ++x) {
                const unsigned char* p = &icon.pixels[(static_cast<size_t>(y) * size + x) * 3];
                std::snprintf(number, sizeof number, "0xff%02x%02x%02x,", p[0], p[1], p[2]);
                text += number;
            }
            text += "\n";
        }
    }
    return text;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 4) {
        std::fprintf(stderr, "usage: %s OUT_DIR GALLERY_PICTURE ICON_SIZE...\n", argv[0]);
        return 2;
    }
    const std::filesystem::path out = argv[1];
    std::string error = writeTextFile((out / "universo3d.desktop").string(), viewerDesktopEntry());
    RgbImage picture;
    if (error.empty()) error = readPng(argv[2], picture);
    for (int i = 3; i < argc && error.empty(); ++i) {
        const int size = std::atoi(argv[i]);
        const std::string side = std::to_string(size);
        const std::filesystem::path folder =
            out / "icons" / "hicolor" / (side + "x" + side) / "apps";
        std::error_code made;
        std::filesystem::create_directories(folder, made);
        if (made || size < 1) {
            error = "cannot make the icon " + folder.string() + " of size " + argv[i];
        } else {
            error = writePng((folder / "universo3d.png").string(),
                             squareThumbnail(picture, size, iconShare));
        }
    }
    if (error.empty())
        error = writeTextFile((out / "window_icon.inc").string(), windowIconTable(picture));
    if (!error.empty()) {
        std::fprintf(stderr, "%s: %s\n", argv[0], error.c_str());
        return 1;
    }
    return 0;
}
