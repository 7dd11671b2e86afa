#include "app/number_args.h"

#include <cctype>

bool parseCount(const std::string& text, long low, long high, long& value) {
    if (text.empty() || text.size() > 12) return false;
    long number = 0;
    for (char c : text) {
        if (!std::isdigit(static_cast<unsigned char>(c))) return false;
        number = number * 10 + (c - '0');
    }
    if (number < low || number > high) return false;
    value = number;
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
