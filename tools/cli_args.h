// Strict readers for the numbers the tools take on their command lines, and
// the message for an argument a tool does not know.
#pragma once

#include <string>

// A whole decimal number in [low, high]; false for anything else (signs,
// blanks, trailing characters, overflow).
bool parseCount(const std::string& text, long low, long high, long& value);

// "WIDTHxHEIGHT", each side in [1, 8192].
bool parseSize(const std::string& text, int& width, int& height);

// "unknown option 'ARG'" for anything that looks like an option (a '-' and
// more), "unexpected argument 'ARG'" otherwise.
std::string unknownArgument(const std::string& arg);
