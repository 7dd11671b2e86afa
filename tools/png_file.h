// Writes and reads RGB pictures as PNG files with libpng; they are written
// as output_file.h says (standard output, in place, or through a rename).
#pragma once

#include <string>
#include <vector>

#include "output_file.h"

struct RgbImage {
    int width = 0;
    int height = 0;
    std::vector<unsigned char> pixels;  // rows top to bottom, 3 bytes a pixel
};

// Returns an empty string on success, else what went wrong.
std::string writePng(const std::string& path, const RgbImage& image);

// Reads an 8-bit RGB or RGBA PNG (alpha dropped); "" or what went wrong.
std::string readPng(const std::string& path, RgbImage& image);
