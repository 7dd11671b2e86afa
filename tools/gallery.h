// The gallery: every screen at a fixed, documented moment, and the index
// page that shows them.
#pragma once

#include <string>
#include <vector>

struct GalleryShot {
    const char* file;               // PNG file name inside the gallery folder
    const char* caption;            // what the picture shows
    std::vector<std::string> args;  // the universe-snapshot steps that make it
};

extern const std::vector<GalleryShot> galleryShots;

// The index page: each picture with its caption and the command that makes
// it at `width` x `height`.
std::string galleryIndexHtml(int width, int height);
