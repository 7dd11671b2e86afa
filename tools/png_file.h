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

// Whether `path` can be written: not a folder, and the temporary file that
// writePng would use can be made (and is removed again); "" or what is wrong.
std::string checkWritable(const std::string& path);

// Writes a text file the same way: through a temporary file and a rename.
std::string writeTextFile(const std::string& path, const std::string& text);

// Reads an 8-bit RGB or RGBA PNG (alpha dropped); "" or what went wrong.
std::string readPng(const std::string& path, RgbImage& image);
