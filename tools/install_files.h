// The files that installation adds beside the programs: the desktop entry
// and the icons.
#pragma once

#include <string>

#include "png_file.h"

// Latin-1 bytes (how the viewer stores its texts) as UTF-8 (how desktop
// entries are written).
std::string latin1ToUtf8(const std::string& latin1);

// A string value of a desktop entry: backslash, newline, tab and carriage
// return escaped, and a space at either end written as \s, so that readers,
// which trim values, keep it.
std::string desktopEntryValue(const std::string& utf8);

// The viewer's desktop entry, in English and Portuguese.
std::string viewerDesktopEntry();

// The centre square of `image`, its side `share` of the shorter side, scaled
// to `size` x `size` by averaging the source area under each target pixel.
RgbImage squareThumbnail(const RgbImage& image, int size, double share = 1.0);
