// Strict readers for the whole numbers that the tools' command lines and the
// page's address take.
#pragma once

#include <string>

// Whether `text` is digits alone (at least one).
bool isWholeNumber(const std::string& text);

// A whole decimal number in [low, high]; false for anything else (signs,
// blanks, trailing characters, a number past `high` however long).
bool parseCount(const std::string& text, long low, long high, long& value);

// "WIDTHxHEIGHT", each side in [1, 8192].
bool parseSize(const std::string& text, int& width, int& height);
