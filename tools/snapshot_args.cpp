#include "snapshot_args.h"

#include <algorithm>

#include "app/options.h"
#include "app/screens.h"
#include "cli_args.h"
#include "input/key_table.h"

std::string snapshotUsage() {
    std::string screenList;
    for (const Screen& screen : screens) {
        const std::string name = screen.name;
        screenList += "      " + name + std::string(name.size() < 17 ? 17 - name.size() : 1, ' ') +
                      screen.caption + "\n";
    }
    std::string characters, specialNames;
    for (const ViewerKey& key : viewerKeys) {
        if (!isKey(key) || !key.byName) continue;
        if (key.special)
            specialNames += std::string(specialNames.empty() ? "" : ", ") + key.name;
        else
            characters += std::string(characters.empty() ? "" : " ") + keyName(key);
    }
    return "usage: universe-snapshot [STEP...] [--ticks N] [--size WxH] --out FILE.png [--calls FILE]\n"
           "       universe-snapshot [STEP...] [--ticks N] [--size WxH] --frames N [--force] --out -|NAME-%04d.png\n"
           "       universe-snapshot --gallery DIR [--size WxH]\n"
           "Draws the viewer's frames in a window of the given size (default 800x600)\n"
           "and writes the last one as a PNG. It starts as the viewer does, on the\n"
           "intro screen; the steps run in the order given, each followed by a frame:\n"
           "  --screen NAME       choose a screen from the menu; NAME is one of\n" +
           screenList +
           "  --axes on|off       the axes entries of the options menu\n"
           "  --light on|off      the light entries of the options menu\n"
           "  --stars blink|steady  the star entries of the options menu\n"
           "  --keys CHARS        letter keys, one after another (" +
           characters +
           ")\n"
           "  --special K[,K...]  camera keys: " +
           specialNames +
           "\n"
           "then N idle ticks (default 0), each followed by a frame.\n"
           "--frames N writes the last N frames: to --out - as a stream of PNG pictures\n"
           "(ffmpeg -f image2pipe), or to numbered files, one conversion such as %04d\n"
           "in the name, numbered from 1. Numbered files are refused when the file\n"
           "after the last one exists (an older, longer clip), unless --force is given.\n"
           "--calls FILE (or - for standard output) also writes the calls the last frame\n"
           "makes, one a line, numbered and indented as C (not with --frames above 1).\n"
           "--gallery DIR writes every screen at a fixed moment, and index.html.\n";
}

namespace {

// Every option but --help takes a value.
const std::string flagsWithValue[] = {"--out",    "--gallery", "--size",  "--ticks",
                                      "--frames", "--screen",  "--keys",  "--special",
                                      "--axes",   "--light",   "--stars", "--calls"};

// Where --frames sends the frames: standard output, numbered files, or (one
// frame only) the one file named; "" or what is wrong.
std::string readFramesOutput(SnapshotRequest& request) {
    const std::string& out = request.output;
    if (out != "-" && hasConversion(out)) {
        const std::string wrong = parseNumberedFiles(out, request.files);
        if (!wrong.empty()) return "--out: " + quotedArgument(out) + " " + wrong;
        request.numbered = true;
    } else if (request.frames > 1 && out != "-") {
        return "--frames: " + std::to_string(request.frames) +
               " frames go to --out - or to numbered files " +
               "(such as clip-%04d.png), not to one file " + quotedArgument(out);
    }
    const long drawn = playbackFrames(request.steps) + request.ticks;
    if (request.frames > drawn)
        return "--frames: the run draws " + std::to_string(drawn) + " frame" +
               (drawn == 1 ? "" : "s") + ", not " + std::to_string(request.frames) +
               " (--ticks adds frames)";
    return "";
}


}  // namespace

std::string parseSnapshotArgs(const std::vector<std::string>& args, SnapshotRequest& request) {
    request = SnapshotRequest{};
    bool framesGiven = false;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& flag = args[i];
        if (flag == "-h" || flag == "--help") {
            request.help = true;
            continue;
        }
        if (flag == "--force") {
            request.force = true;
            continue;
        }
        if (!std::count(std::begin(flagsWithValue), std::end(flagsWithValue), flag))
            return unknownArgument(flag);
        if (i + 1 >= args.size()) return flag + " needs a value";
        const std::string& value = args[++i];

        if (flag == "--out") {
            if (value.empty()) return "--out: empty path";
            request.output = value;
        } else if (flag == "--calls") {
            if (value.empty()) return "--calls: empty path";
            request.calls = value;
        } else if (flag == "--gallery") {
            if (value.empty()) return "--gallery: empty path";
            request.galleryDir = value;
        } else if (flag == "--size") {
            if (!parseSize(value, request.width, request.height))
                return "--size: " + quotedArgument(value) +
                       " is not WIDTHxHEIGHT with sides 1 to 8192";
        } else if (flag == "--ticks") {
            if (!parseCount(value, 0, 1000000, request.ticks))
                return "--ticks: " + quotedArgument(value) + " is not a number from 0 to 1000000";
        } else if (flag == "--frames") {
            if (!parseCount(value, 1, 999999999999, request.frames))
                return "--frames: " + quotedArgument(value) +
                       (isWholeNumber(value) && value.find_first_not_of('0') != std::string::npos
                            ? " is too large (at most 999999999999)"
                            : " is not a whole number above 0");
            framesGiven = true;
        } else {
            // A step: --screen, --keys, --special, --axes, --light, --stars.
            const std::string wrong = parseStep(flag.substr(2), value, request.steps).english;
            if (!wrong.empty()) return flag + ": " + wrong;
        }
    }
    if (request.help) return "";
    if (request.output.empty() == request.galleryDir.empty())
        return "give either --out FILE.png or --gallery DIR";
    if (!request.galleryDir.empty() &&
        (!request.steps.empty() || request.ticks != 0 || framesGiven))
        return "--gallery: takes no steps, no --ticks and no --frames (each picture has its own)";
    if (!request.calls.empty() && !request.galleryDir.empty())
        return "--calls: lists one frame's calls, not a gallery's";
    if (!request.calls.empty() && request.frames > 1)
        return "--calls: lists the last frame's calls, so --frames must be 1, not " +
               std::to_string(request.frames);
    if (request.calls == "-" && request.output == "-")
        return "--calls: - and --out - cannot both write to standard output";
    return framesGiven ? readFramesOutput(request) : "";
}
