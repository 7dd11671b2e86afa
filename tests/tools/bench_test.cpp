// universe-bench's figures, end to end on the two cheap text screens, and
// the statistics behind them.
#include <gtest/gtest.h>

#include <cstdlib>

#include "frame_stats.h"
#include "tool_process.h"

namespace {
const std::string benchTool = UNIVERSE_BENCH_BINARY;

// The number after "key": in `json`, from position `from` on.
double numberAfter(const std::string& json, const std::string& key, size_t from = 0) {
    const size_t at = json.find("\"" + key + "\": ", from);
    if (at == std::string::npos) return -1;
    return std::strtod(json.c_str() + at + key.size() + 4, nullptr);
}
}  // namespace

TEST(Bench, QuantilesInterpolateBetweenRanks) {
    // Sorted: 1 2 3 4; rank q * 3.
    EXPECT_DOUBLE_EQ(quantile({4, 1, 3, 2}, 0.5), 2.5);
    EXPECT_DOUBLE_EQ(quantile({4, 1, 3, 2}, 0.25), 1.75);
    EXPECT_DOUBLE_EQ(quantile({4, 1, 3, 2}, 0.75), 3.25);
    EXPECT_DOUBLE_EQ(quantile({4, 1, 3, 2}, 1.0), 4);
    EXPECT_DOUBLE_EQ(quantile({7}, 0.5), 7);
    EXPECT_DOUBLE_EQ(quantile({}, 0.5), 0);
    const ScreenTiming t = summarise("s", {8, 2, 4, 6, 5}, 1024);
    EXPECT_DOUBLE_EQ(t.medianMs, 5);
    EXPECT_DOUBLE_EQ(t.fps, 200);
    EXPECT_DOUBLE_EQ(t.p25Ms, 4);
    EXPECT_DOUBLE_EQ(t.p75Ms, 6);
}

TEST(Bench, TableAndJsonCoverTheChosenScreens) {
    TempDir dir;
    const std::string json = dir.path("bench.json");
    const ProcessResult run = runProcess({benchTool, "--screens", "intro,farewell", "--warmup", "1",
                                          "--frames", "4", "--size", "400x300", "--json", json});
    ASSERT_EQ(run.status, 0) << run.output;
    EXPECT_NE(run.output.find("GL renderer: "), std::string::npos) << run.output;
    EXPECT_NE(run.output.find("window 400x300"), std::string::npos) << run.output;
    EXPECT_NE(run.output.find("\nintro "), std::string::npos) << run.output;
    EXPECT_NE(run.output.find("\nfarewell "), std::string::npos) << run.output;
    EXPECT_EQ(run.output.find("universe-auto"), std::string::npos) << run.output;

    const std::string figures = readFile(json);
    EXPECT_EQ(numberAfter(figures, "width"), 400);
    EXPECT_EQ(numberAfter(figures, "frames"), 4);
    for (const char* screen : {"intro", "farewell"}) {
        const size_t at = figures.find(std::string("{\"screen\": \"") + screen + "\"");
        ASSERT_NE(at, std::string::npos) << screen << "\n" << figures;
        const double median = numberAfter(figures, "median_ms", at);
        EXPECT_GT(median, 0) << screen;
        EXPECT_LE(numberAfter(figures, "p25_ms", at), median) << screen;
        EXPECT_GE(numberAfter(figures, "p75_ms", at), median) << screen;
        EXPECT_NEAR(numberAfter(figures, "fps", at), 1000 / median, 0.01 * 1000 / median) << screen;
        EXPECT_GT(numberAfter(figures, "peak_rss_kib", at), 1000) << screen;
    }

    for (const std::vector<std::string>& bad :
         {std::vector<std::string>{"--screens", "intro,pluto"},
          {"--frames", "0"},
          {"--size", "big"},
          {"--json", dir.path("no/such/folder.json")},
          {"--json", dir.path()},
          {"--soak", "14", "--json", json}}) {
        std::vector<std::string> args = {benchTool};
        args.insert(args.end(), bad.begin(), bad.end());
        const ProcessResult result = runProcess(args);
        // A JSON path in a missing folder is no usage error: status 1.
        const bool unwritable = bad[0] == "--json" && bad[1] != dir.path() && bad.size() == 2;
        EXPECT_EQ(result.status, unwritable ? 1 : 2) << bad[1];
        EXPECT_NE(result.output.find(bad[0]), std::string::npos) << result.output;
    }
    // Standard output on a full device: the lost table is a failure.
    const ProcessResult full =
        runProcess({"/bin/sh", "-c",
                    benchTool + " --screens intro --warmup 0 --frames 1 --size 40x30 >/dev/full"});
    EXPECT_EQ(full.status, 1) << full.output;
    EXPECT_NE(full.output.find("standard output: No space left on device"), std::string::npos)
        << full.output;
}
