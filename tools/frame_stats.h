// Summaries of measured frame times and the bench's report formats.
#pragma once

#include <string>
#include <vector>

// The q-quantile (0..1) of `values`, interpolated linearly between the two
// nearest ranks of the sorted values; 0 for no values.
double quantile(std::vector<double> values, double q);

struct ScreenTiming {
    std::string screen;
    int frames = 0;
    double medianMs = 0, p25Ms = 0, p75Ms = 0, minMs = 0, maxMs = 0;
    double fps = 0;  // frames per second at the median frame time
    long peakRssKiB = 0;
};

// Summarises the frame times of one screen.
ScreenTiming summarise(const std::string& screen, const std::vector<double>& frameMs,
                       long peakRssKiB);

struct BenchReport {
    std::string renderer;
    int width = 0, height = 0;
    int warmup = 0, frames = 0;
    std::vector<ScreenTiming> screens;
};

// The table for people, and the same figures as JSON for scripts.
std::string benchTable(const BenchReport& report);
std::string benchJson(const BenchReport& report);
