// Writes RGB pictures as PNG files with libpng, through a temporary file
// that is renamed into place, so a failed write leaves no partial file.
#pragma once

#include <string>
#include <vector>

struct RgbImage {
    int width = 0;
    int height = 0;
    std::vector<unsigned char> pixels;  // rows top to bottom, 3 bytes a pixel
};

// Returns an empty string on success, else what went wrong.
std::string writePng(const std::string& path, const RgbImage& image);
