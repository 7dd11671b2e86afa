// universe-snapshot against the live viewer, against itself, and against
// bad command lines.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <thread>

#include "app/window.h"
#include "png_file.h"
#include "support/x_driver.h"
#include "tool_process.h"

namespace {

const std::string snapshotTool = UNIVERSE_SNAPSHOT_BINARY;

RgbImage snapshot(const std::vector<std::string>& steps, const std::string& out,
                  const std::string& display = "") {
    std::vector<std::string> args = {snapshotTool};
    args.insert(args.end(), steps.begin(), steps.end());
    args.insert(args.end(), {"--out", out});
    const ProcessResult result = runProcess(args, display);
    EXPECT_EQ(result.status, 0) << result.output;
    RgbImage image;
    EXPECT_EQ(readPng(out, image), "");
    return image;
}

// How many pixels differ, and where the first one is.
std::string difference(const RgbImage& a, const RgbImage& b) {
    if (a.width != b.width || a.height != b.height)
        return "sizes differ: " + std::to_string(a.width) + "x" + std::to_string(a.height) +
               " and " + std::to_string(b.width) + "x" + std::to_string(b.height);
    long differing = 0, first = -1;
    for (size_t i = 0; i < a.pixels.size(); i += 3)
        if (a.pixels[i] != b.pixels[i] || a.pixels[i + 1] != b.pixels[i + 1] ||
            a.pixels[i + 2] != b.pixels[i + 2]) {
            if (first < 0) first = static_cast<long>(i / 3);
            ++differing;
        }
    if (differing == 0) return "";
    return std::to_string(differing) + " pixels differ, the first at (" +
           std::to_string(first % a.width) + ", " + std::to_string(first / a.width) + ")";
}

// The PNG pictures of a stream, one after another: each from its signature
// to the end of its IEND chunk. Bytes that do not make a whole picture end
// the list.
std::vector<std::string> splitPngStream(const std::string& stream) {
    const std::string signature = "\x89PNG\r\n\x1a\n";
    std::vector<std::string> pictures;
    for (size_t at = 0; stream.compare(at, 8, signature) == 0;) {
        size_t chunk = at + 8;
        bool ended = false;
        while (!ended && chunk + 12 <= stream.size()) {
            uint32_t length = 0;
            for (int i = 0; i < 4; ++i)
                length = length << 8 | static_cast<unsigned char>(stream[chunk + i]);
            ended = stream.compare(chunk + 4, 4, "IEND") == 0;
            chunk += 12 + length;
        }
        if (!ended || chunk > stream.size()) break;
        pictures.push_back(stream.substr(at, chunk - at));
        at = chunk;
    }
    return pictures;
}

}  // namespace

// The live viewer, driven through its menus on a private X server: Cenários >
// Universo Manual, then Opções Extras > Estrelas estáticas. With steady stars
// the manual Universe stands still, so every frame it draws is the picture
// the snapshot tool must give for the same choices.
TEST(Snapshot, ManualUniverseWithSteadyStarsMatchesTheLiveViewerPixelForPixel) {
    PrivateXServer server;
    ASSERT_FALSE(server.display().empty()) << "Xvfb did not start";
    setenv("DISPLAY", server.display().c_str(), 1);
    TempDir dir;
    const RgbImage shot = snapshot({"--screen", "universe-manual", "--stars", "steady"},
                                   dir.path("shot.png"), server.display());
    ASSERT_EQ(shot.width, 800);
    ASSERT_EQ(shot.height, 600);

    XDriver x;
    ASSERT_TRUE(x.ready()) << "no X display with XTest";
    ChildProcess viewer;
    ASSERT_TRUE(viewer.start(UNIVERSE_VIEWER_BINARY));
    const std::chrono::seconds limit(60);  // far above the slowest machine
    std::vector<XWindowId> windows;
    ASSERT_TRUE(waitUntil(
        [&] { return !(windows = x.findWindows(windowTitle)).empty() && x.viewable(windows[0]); },
        limit))
        << "no viewer window";

    const ScreenRect at = x.rect(windows[0]);
    std::string failure;
    for (const std::vector<int>& path :
         {std::vector<int>{0, 1},     // Cenários > Universo Manual
          std::vector<int>{3, 3}}) {  // Opções Extras > Estrelas estáticas
        ASSERT_TRUE(x.chooseMenuEntry(at.x + 60, at.y + 60, path, limit, nullptr, &failure))
            << failure;
    }
    // The viewer redraws over where the menus were, then shows the same
    // picture frame after frame.
    std::string differs = "no frame read";
    waitUntil(
        [&] {
            const WindowImage shown = x.capture(windows[0]);
            differs = difference(shot, RgbImage{shown.width, shown.height, shown.rgb});
            return differs.empty();
        },
        limit);
    viewer.kill();
    EXPECT_EQ(differs, "");
}

// Same steps, same bytes; the ticks go through the idle logic: the manual
// Universe has no clock, so only the star phase moves, flipping each tick.
// (The first frame after a text screen differs from the later ones: its axes
// are drawn before the light is set, under the text screen's light
// direction; so the frames compared here all come later.)
TEST(Snapshot, RunsAreRepeatableAndTicksFollowTheIdleLogic) {
    TempDir dir;
    const std::vector<std::string> steps = {"--screen", "universe-manual", "--special",
                                            "F1,left",  "--keys",          "r+",
                                            "--size",   "320x200"};
    snapshot(steps, dir.path("first.png"));
    snapshot(steps, dir.path("second.png"));
    const std::string first = readFile(dir.path("first.png"));
    EXPECT_GT(first.size(), 1000u);
    EXPECT_TRUE(first == readFile(dir.path("second.png"))) << "two runs gave different files";
    RgbImage image;
    ASSERT_EQ(readPng(dir.path("first.png"), image), "");
    EXPECT_EQ(image.width, 320);
    EXPECT_EQ(image.height, 200);

    const std::vector<std::string> scene = {"--screen", "universe-manual", "--size", "320x200"};
    auto afterTicks = [&](const char* ticks) {
        std::vector<std::string> args = scene;
        args.insert(args.end(), {"--ticks", ticks});
        return snapshot(args, dir.path(std::string("ticks") + ticks + ".png"));
    };
    const RgbImage shown = afterTicks("2"), hidden = afterTicks("3"), shownAgain = afterTicks("4");
    EXPECT_EQ(difference(shown, shownAgain), "");
    EXPECT_NE(difference(shown, hidden), "") << "the star field should blink off after one tick";
    // Steady stars: ticks change nothing at all.
    const RgbImage steady = snapshot({"--stars", "steady", "--screen", "universe-manual", "--size",
                                      "320x200", "--ticks", "1"},
                                     dir.path("steady.png"));
    EXPECT_EQ(difference(steady, shown), "");
}

// Each bad argument: status 2, a message naming it, and no file (not even
// a temporary one) left behind.
TEST(Snapshot, BadArgumentsExitWithStatusTwoAndLeaveNoFile) {
    TempDir dir;
    const std::string out = dir.path("out.png");
    struct Case {
        std::vector<std::string> args;
        std::string named;
    };
    const Case cases[] = {
        {{"--screen", "saturn", "--out", out}, "saturn"},
        {{"--size", "80x", "--out", out}, "--size"},
        {{"--size", "0x600", "--out", out}, "--size"},
        {{"--size", "800x600x3", "--out", out}, "--size"},
        {{"--ticks", "-1", "--out", out}, "--ticks"},
        {{"--keys", "q", "--out", out}, "'q'"},
        {{"--special", "F9", "--out", out}, "F9"},
        {{"--stars", "twinkle", "--out", out}, "twinkle"},
        {{"--screen", "intro"}, "--out"},
        {{"--gallery", out + "/sub", "--ticks", "2"}, "--gallery"},
        {{"--bogus"}, "unknown option '--bogus'"},
        {{"--out", dir.path()}, "is a folder"},
        {{"--ticks", "2", "--frames", "2", "--out", out}, "not to one file '" + out + "'"},
        {{"--ticks", "2", "--frames", "2", "--out", dir.path("a%d-%d.png")},
         "more than one conversion"},
        {{"--ticks", "2", "--frames", "2", "--out", dir.path("a%s.png")},
         "other than a whole number"},
        {{"--ticks", "2", "--frames", "2", "--out", dir.path("a%.2d.png")},
         "other than a whole number"},
        {{"--frames", "0", "--out", "-"}, "--frames: '0'"},
        {{"--frames", "-2", "--out", "-"}, "--frames: '-2'"},
        {{"--frames", "1234567890123", "--out", "-"}, "'1234567890123' is too large"},
        {{"--ticks", "2", "--frames", "4", "--out", "-"}, "draws 3 frames, not 4"},
        {{"--gallery", dir.path("g"), "--frames", "2"}, "--gallery"},
    };
    for (const Case& c : cases) {
        std::vector<std::string> args = {snapshotTool};
        args.insert(args.end(), c.args.begin(), c.args.end());
        const ProcessResult result = runProcess(args);
        EXPECT_EQ(result.status, 2) << c.named;
        EXPECT_NE(result.output.find(c.named), std::string::npos) << result.output;
        EXPECT_TRUE(dir.entries().empty()) << c.named << " left " << dir.entries().front();
    }
    // A gallery folder that cannot be made: a file stands in its way.
    std::FILE* blocker = std::fopen(dir.path("file").c_str(), "w");
    ASSERT_NE(blocker, nullptr);
    std::fclose(blocker);
    const ProcessResult blocked = runProcess({snapshotTool, "--gallery", dir.path("file/gallery")});
    EXPECT_EQ(blocked.status, 1);
    EXPECT_NE(blocked.output.find("--gallery: cannot make"), std::string::npos) << blocked.output;
    // An output in a missing folder: no usage error, and the reason named.
    const ProcessResult missing = runProcess({snapshotTool, "--out", dir.path("missing/out.png")});
    EXPECT_EQ(missing.status, 1);
    EXPECT_NE(missing.output.find("missing/out.png': No such file"), std::string::npos)
        << missing.output;
    EXPECT_EQ(dir.entries(), std::vector<std::string>{"file"});
}

// Outputs that are not plain files: a symbolic link keeps its place and its
// target gets the picture; "-" and a FIFO stream the PNG and the FIFO stays;
// a full device fails with status 1, naming it, and stays a device.
TEST(Snapshot, OutputsKeepLinksAndDevicesAndReportWriteErrors) {
    TempDir dir;
    const std::string target = dir.path("target.png"), link = dir.path("link.png");
    ASSERT_EQ(symlink(target.c_str(), link.c_str()), 0);
    ProcessResult result = runProcess({snapshotTool, "--out", link});
    EXPECT_EQ(result.status, 0) << result.output;
    struct stat info {};
    EXPECT_TRUE(lstat(link.c_str(), &info) == 0 && S_ISLNK(info.st_mode));
    RgbImage image;
    EXPECT_EQ(readPng(target, image), "");
    EXPECT_EQ(dir.entries(), (std::vector<std::string>{"link.png", "target.png"}));

    result = runProcess({snapshotTool, "--size", "8x6", "--out", "-"});
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.output.substr(0, 4), "\x89PNG");

    // A FIFO, read as the tool writes it.
    const std::string fifo = dir.path("fifo");
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    std::string streamed;
    std::thread reader([&] { streamed = readFile(fifo); });
    result = runProcess({snapshotTool, "--size", "8x6", "--out", fifo});
    reader.join();
    EXPECT_EQ(result.status, 0) << result.output;
    EXPECT_EQ(streamed.substr(0, 4), "\x89PNG");
    EXPECT_TRUE(lstat(fifo.c_str(), &info) == 0 && S_ISFIFO(info.st_mode));

    result = runProcess({snapshotTool, "--size", "8x6", "--out", "/dev/full"});
    EXPECT_EQ(result.status, 1) << result.output;
    EXPECT_NE(result.output.find("cannot write /dev/full: No space left"), std::string::npos)
        << result.output;
    EXPECT_TRUE(stat("/dev/full", &info) == 0 && S_ISCHR(info.st_mode));
}

// A replaced file keeps its mode, also with other hard links (which keep
// the old contents); a link planted at the temporary name the tool once
// used is never followed; a loop of links is refused; a signal during the
// write removes the temporary file.
TEST(Snapshot, ReplacedFilesKeepTheirModeAndTemporaryFilesAreNeitherFollowedNorLeft) {
    TempDir dir;
    const std::string out = dir.path("out.txt"), precious = dir.path("precious.txt");
    ASSERT_EQ(writeTextFile(precious, "precious"), "");
    ASSERT_EQ(writeTextFile(out, "old"), "");
    ASSERT_EQ(chmod(out.c_str(), 0640), 0);
    ASSERT_EQ(link(out.c_str(), dir.path("other.txt").c_str()), 0);
    const std::string planted = out + ".tmp." + std::to_string(getpid());
    ASSERT_EQ(symlink(precious.c_str(), planted.c_str()), 0);
    EXPECT_EQ(writeTextFile(out, "new"), "");
    EXPECT_EQ(readFile(out), "new");
    EXPECT_EQ(readFile(precious), "precious");
    EXPECT_EQ(readFile(dir.path("other.txt")), "old");
    struct stat info {};
    EXPECT_TRUE(stat(out.c_str(), &info) == 0 && (info.st_mode & 07777) == 0640)
        << std::oct << info.st_mode;

    ASSERT_EQ(symlink("b", dir.path("a").c_str()), 0);
    ASSERT_EQ(symlink("a", dir.path("b").c_str()), 0);
    EXPECT_NE(checkWritable(dir.path("a")).find("Too many levels of symbolic links"),
              std::string::npos);
    EXPECT_NE(writeTextFile(dir.path("a"), "x"), "");

    const pid_t child = fork();
    if (child == 0) {
        writeOutput(dir.path("killed.txt"), [](std::FILE* file) {
            return std::fputs("x", file) >= 0 && raise(SIGTERM) == 0;
        });
        _exit(0);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGTERM) << status;
    const std::string plantedName = planted.substr(dir.path().size() + 1);
    EXPECT_EQ(dir.entries(), (std::vector<std::string>{"a", "b", "other.txt", "out.txt",
                                                       plantedName, "precious.txt"}));
}

// --frames: the last frames of the run, each the picture a run of that
// length gives, as a PNG stream on standard output and as numbered files.
// A write error part-way keeps the frames written.
TEST(Snapshot, FramesStreamOrNumberTheLastFramesOfTheRun) {
    TempDir dir;
    const std::vector<std::string> scene = {snapshotTool, "--screen", "universe-auto",
                                            "--size",     "160x100",  "--ticks",
                                            "3",          "--frames", "3",
                                            "--out"};
    auto run = [&](const std::string& out) {
        std::vector<std::string> args = scene;
        args.push_back(out);
        return runProcess(args);
    };
    const ProcessResult streamed = run("-");
    ASSERT_EQ(streamed.status, 0) << streamed.output;
    const std::vector<std::string> pictures = splitPngStream(streamed.output);
    ASSERT_EQ(pictures.size(), 3u);
    EXPECT_EQ(pictures[0].size() + pictures[1].size() + pictures[2].size(), streamed.output.size());

    TempDir clip;
    const ProcessResult numbered = run(clip.path("frame-%03d.png"));
    EXPECT_EQ(numbered.status, 0) << numbered.output;
    for (int at = 0; at < 3; ++at) {
        const std::string ticks = std::to_string(1 + at);
        const std::string single = dir.path("ticks" + ticks + ".png");
        snapshot({"--screen", "universe-auto", "--size", "160x100", "--ticks", ticks}, single);
        EXPECT_TRUE(pictures[at] == readFile(single))
            << "streamed frame " << at << " is not tick " << ticks;
        EXPECT_TRUE(readFile(clip.path("frame-00" + std::to_string(at + 1) + ".png")) ==
                    readFile(single))
            << "numbered file " << at + 1 << " is not tick " << ticks;
    }
    EXPECT_EQ(clip.entries(),
              (std::vector<std::string>{"frame-001.png", "frame-002.png", "frame-003.png"}));

    // The second file's name is taken by a folder: the first file stays.
    TempDir broken;
    ASSERT_EQ(mkdir(broken.path("2.png").c_str(), 0755), 0);
    const ProcessResult failed =
        runProcess({snapshotTool, "--ticks", "2", "--frames", "3", "--out", broken.path("%d.png")});
    EXPECT_EQ(failed.status, 1);
    EXPECT_NE(failed.output.find("cannot write " + broken.path("2.png")), std::string::npos)
        << failed.output;
    EXPECT_EQ(broken.entries(), (std::vector<std::string>{"1.png", "2.png"}));

    // A shorter clip over the longer one would leave its third frame behind.
    const std::vector<std::string> shorter = {
        snapshotTool, "--ticks", "3", "--frames", "2", "--out", clip.path("frame-%03d.png")};
    const ProcessResult stale = runProcess(shorter);
    EXPECT_EQ(stale.status, 2);
    EXPECT_NE(stale.output.find("frame-003.png' exists"), std::string::npos) << stale.output;
    EXPECT_TRUE(readFile(clip.path("frame-001.png")) == pictures[0])
        << "a refused clip wrote a frame";
    std::vector<std::string> forced = shorter;
    forced.push_back("--force");
    EXPECT_EQ(runProcess(forced).status, 0);
}

// The gallery: all seven screens, each at the size asked for, and an index
// page that shows each picture with the command that makes it.
TEST(Snapshot, GalleryHasEveryScreenAndAnIndexPage) {
    TempDir dir;
    const std::string gallery = dir.path("gallery");
    const ProcessResult run = runProcess({snapshotTool, "--gallery", gallery, "--size", "64x48"});
    ASSERT_EQ(run.status, 0) << run.output;
    const std::string index = readFile(gallery + "/index.html");
    for (const char* screen : {"intro", "universe-auto", "universe-manual", "earth-auto",
                               "earth-manual", "matrix-universe", "farewell"}) {
        const std::string file = std::string(screen) + ".png";
        RgbImage image;
        EXPECT_EQ(readPng(gallery + "/" + file, image), "") << file;
        EXPECT_EQ(image.width, 64) << file;
        EXPECT_EQ(image.height, 48) << file;
        EXPECT_NE(index.find("<img src=\"" + file + "\""), std::string::npos) << file;
        EXPECT_NE(index.find("--screen " + std::string(screen) + " "), std::string::npos) << screen;
    }
}
