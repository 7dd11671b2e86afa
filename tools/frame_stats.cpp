#include "frame_stats.h"

#include <algorithm>
#include <cstdarg>
#include <cstdio>

double quantile(std::vector<double> values, double q) {
    if (values.empty()) return 0;
    std::sort(values.begin(), values.end());
    const double rank = q * (values.size() - 1);
    const size_t below = static_cast<size_t>(rank);
    if (below + 1 >= values.size()) return values.back();
    const double part = rank - below;
    return values[below] + part * (values[below + 1] - values[below]);
}

ScreenTiming summarise(const std::string& screen, const std::vector<double>& frameMs,
                       long peakRssKiB) {
    ScreenTiming t;
    t.screen = screen;
    t.frames = static_cast<int>(frameMs.size());
    t.medianMs = quantile(frameMs, 0.5);
    t.p25Ms = quantile(frameMs, 0.25);
    t.p75Ms = quantile(frameMs, 0.75);
    t.minMs = quantile(frameMs, 0);
    t.maxMs = quantile(frameMs, 1);
    t.fps = t.medianMs > 0 ? 1000.0 / t.medianMs : 0;
    t.peakRssKiB = peakRssKiB;
    return t;
}

static std::string format(const char* pattern, ...) __attribute__((format(printf, 1, 2)));

static std::string format(const char* pattern, ...) {
    char buffer[512];
    va_list args;
    va_start(args, pattern);
    std::vsnprintf(buffer, sizeof buffer, pattern, args);
    va_end(args);
    return buffer;
}

std::string benchTable(const BenchReport& r) {
    std::string out =
        format("GL renderer: %s\nwindow %dx%d, %d warm-up and %d measured frames a screen\n\n",
               r.renderer.c_str(), r.width, r.height, r.warmup, r.frames);
    out += format("%-16s %10s %20s %9s %13s\n", "screen", "median ms", "spread ms (p25-p75)", "fps",
                  "peak RSS MiB");
    for (const ScreenTiming& t : r.screens) {
        const std::string spread = format("%.2f-%.2f", t.p25Ms, t.p75Ms);
        out += format("%-16s %10.2f %20s %9.1f %13.1f\n", t.screen.c_str(), t.medianMs,
                      spread.c_str(), t.fps, t.peakRssKiB / 1024.0);
    }
    return out;
}

// JSON string contents: quotes, backslashes and control characters escaped.
static std::string jsonString(const std::string& text) {
    std::string out = "\"";
    for (unsigned char c : text) {
        if (c == '"' || c == '\\') {
            out += '\\';
            out += static_cast<char>(c);
        } else if (c < 0x20) {
            out += format("\\u%04x", c);
        } else {
            out += static_cast<char>(c);
        }
    }
    return out + "\"";
}

std::string benchJson(const BenchReport& r) {
    std::string out = "{\n  \"renderer\": " + jsonString(r.renderer) + ",\n";
    out +=
        format("  \"width\": %d,\n  \"height\": %d,\n  \"warmup_frames\": %d,\n  \"frames\": %d,\n",
               r.width, r.height, r.warmup, r.frames);
    out += "  \"screens\": [";
    for (size_t i = 0; i < r.screens.size(); ++i) {
        const ScreenTiming& t = r.screens[i];
        out += i ? ",\n    " : "\n    ";
        out += "{\"screen\": " + jsonString(t.screen);
        out +=
            format(", \"frames\": %d, \"median_ms\": %.3f, \"p25_ms\": %.3f, \"p75_ms\": %.3f, "
                   "\"min_ms\": %.3f, \"max_ms\": %.3f, \"fps\": %.2f, \"peak_rss_kib\": %ld}",
                   t.frames, t.medianMs, t.p25Ms, t.p75Ms, t.minMs, t.maxMs, t.fps, t.peakRssKiB);
    }
    out += "\n  ]\n}\n";
    return out;
}
