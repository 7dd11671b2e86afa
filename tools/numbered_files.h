// Numbered file names from a printf-style pattern with one whole-number
// conversion, as ffmpeg and most image tools read a picture sequence:
// "clip-%04d.png" gives clip-0001.png, clip-0002.png, ... The pattern is
// filled in here, never passed to printf.
#pragma once

#include <string>

struct NumberedFiles {
    std::string before;  // the text around the number, "%%" already read as '%'
    std::string after;
    int width = 0;       // the least number of characters for the number
    bool zeros = false;  // padded with zeros rather than spaces
};

// Whether `pattern` holds a conversion at all ('%' other than "%%").
bool hasConversion(const std::string& pattern);

// Reads a pattern with exactly one conversion %d, %i or %u, optionally
// with a 0 flag and a width of up to two digits ("%04d"). Returns "" or
// what is wrong with it.
std::string parseNumberedFiles(const std::string& pattern, NumberedFiles& files);

// The name of file `number`.
std::string numberedFile(const NumberedFiles& files, long number);
