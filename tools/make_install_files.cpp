// Build step: writes the desktop entry, and the icon made from a gallery
// picture.
//   universe-install-files DESKTOP_FILE GALLERY_PICTURE ICON_FILE ICON_SIZE
#include <cstdio>
#include <cstdlib>
#include <string>

#include "install_files.h"
#include "png_file.h"

int main(int argc, char** argv) {
    if (argc != 5) {
        std::fprintf(stderr, "usage: %s DESKTOP_FILE GALLERY_PICTURE ICON_FILE ICON_SIZE\n", argv[0]);
        return 2;
    }
    std::string error = writeTextFile(argv[1], viewerDesktopEntry());
    RgbImage picture;
    if (error.empty()) error = readPng(argv[2], picture);
    if (error.empty()) error = writePng(argv[3], squareThumbnail(picture, std::atoi(argv[4])));
    if (!error.empty()) {
        std::fprintf(stderr, "%s: %s\n", argv[0], error.c_str());
        return 1;
    }
    return 0;
}
