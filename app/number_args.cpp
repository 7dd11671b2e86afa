#include "app/number_args.h"

#include <cctype>
#include <cstdint>

bool isWholeNumber(const std::string& text) {
    if (text.empty()) return false;
    for (char c : text)
        if (!std::isdigit(static_cast<unsigned char>(c))) return false;
    return true;
}

bool parseCount(const std::string& text, long low, long high, long& value) {
    if (!isWholeNumber(text)) return false;
    // 64 bits whatever `long` is (32 bits in the browser build), and the
    // reading stops as soon as the number passes `high`, so that no number
    // wraps round into the range.
    int64_t number = 0;
    for (char c : text) {
        number = number * 10 + (c - '0');
        if (number > high) return false;
    }
    if (number < low) return false;
    value = static_cast<long>(number);
    return true;
}

bool parseSize(const std::string& text, int& width, int& height) {
    const size_t cross = text.find('x');
    if (cross == std::string::npos) return false;
    long w = 0, h = 0;
    if (!parseCount(text.substr(0, cross), 1, 8192, w) ||
        !parseCount(text.substr(cross + 1), 1, 8192, h))
        return false;
    width = static_cast<int>(w);
    height = static_cast<int>(h);
    return true;
}
