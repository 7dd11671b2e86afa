// Strict readers for the whole numbers that the tools' command lines and the
// page's address take.
#pragma once

#include <string>

// A whole decimal number in [low, high]; false for anything else (signs,
// blanks, trailing characters, overflow).
bool parseCount(const std::string& text, long low, long high, long& value);

// "WIDTHxHEIGHT", each side in [1, 8192].
bool parseSize(const std::string& text, int& width, int& height);
