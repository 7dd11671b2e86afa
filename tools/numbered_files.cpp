#include "numbered_files.h"

#include <cctype>
#include <cstring>

bool hasConversion(const std::string& pattern) {
    for (size_t at = 0; at < pattern.size(); ++at) {
        if (pattern[at] != '%') continue;
        if (at + 1 >= pattern.size() || pattern[at + 1] != '%') return true;
        ++at;
    }
    return false;
}

std::string parseNumberedFiles(const std::string& pattern, NumberedFiles& files) {
    files = NumberedFiles{};
    int conversions = 0;
    for (size_t at = 0; at < pattern.size(); ++at) {
        std::string& text = conversions ? files.after : files.before;
        if (pattern[at] != '%') {
            text += pattern[at];
            continue;
        }
        if (at + 1 < pattern.size() && pattern[at + 1] == '%') {
            text += '%';
            ++at;
            continue;
        }
        size_t end = at + 1;
        const bool zeros = end < pattern.size() && pattern[end] == '0';
        if (zeros) ++end;
        int width = 0;
        for (int digits = 0; digits < 2 && end < pattern.size() &&
                             std::isdigit(static_cast<unsigned char>(pattern[end]));
             ++digits, ++end)
            width = width * 10 + (pattern[end] - '0');
        if (end >= pattern.size() || !std::strchr("diu", pattern[end]))
            return "has a conversion other than a whole number's (such as %04d)";
        if (++conversions > 1) return "has more than one conversion";
        files.zeros = zeros;
        files.width = width;
        at = end;
    }
    return conversions == 1 ? "" : "has no conversion for the number (such as %04d)";
}

std::string numberedFile(const NumberedFiles& files, long number) {
    std::string digits = std::to_string(number);
    if (static_cast<int>(digits.size()) < files.width)
        digits.insert(0, files.width - digits.size(), files.zeros ? '0' : ' ');
    return files.before + digits + files.after;
}
