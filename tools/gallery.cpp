#include "gallery.h"

// Even tick counts leave the blinking stars in their shown phase.
const std::vector<GalleryShot> galleryShots = {
    {"intro.png", "The intro screen, as the viewer opens.", {"--screen", "intro"}},
    {"universe-auto.png",
     "The automatic Universe after 60 idle ticks (spin angle 30 degrees).",
     {"--screen", "universe-auto", "--ticks", "60"}},
    {"universe-manual.png",
     "The manual Universe, turned once (r, +) and pushed along z (t, +), stars steady.",
     {"--screen", "universe-manual", "--stars", "steady", "--keys", "r+rt+"}},
    {"earth-auto.png",
     "The automatic Earth, Moon, Rocket and Man scene after 60 idle ticks.",
     {"--screen", "earth-auto", "--ticks", "60"}},
    {"earth-manual.png",
     "The manual Earth scene: the Moon group and the Earth's rocket follow a turn (a, s, r, +).",
     {"--screen", "earth-manual", "--keys", "asr+"}},
    {"matrix-universe.png",
     "The Universe built with matrices after 100 idle ticks (1 radian).",
     {"--screen", "matrix-universe", "--ticks", "100"}},
    {"farewell.png", "The farewell screen.", {"--screen", "farewell"}},
};

static std::string escapeHtml(const std::string& text) {
    std::string out;
    for (char c : text) {
        switch (c) {
            case '&': out += "&amp;"; break;
            case '<': out += "&lt;"; break;
            case '>': out += "&gt;"; break;
            case '"': out += "&quot;"; break;
            default: out += c;
        }
    }
    return out;
}

std::string galleryIndexHtml(int width, int height) {
    const std::string size = std::to_string(width) + "x" + std::to_string(height);
    std::string html =
        "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n"
        "<title>Universo 3D: gallery</title>\n</head>\n<body>\n<h1>Universo 3D: gallery</h1>\n"
        "<p>Every screen of the viewer at a fixed moment, drawn at " +
        size +
        " by <code>universe-snapshot</code>. The steps run after the start-up frame, each"
        " followed by a frame; the ticks follow, each an idle tick and a frame.</p>\n";
    for (const GalleryShot& shot : galleryShots) {
        std::string command = "universe-snapshot";
        for (const std::string& arg : shot.args) command += " " + arg;
        command += " --size " + size + " --out " + shot.file;
        html += "<figure>\n<img src=\"" + escapeHtml(shot.file) + "\" width=\"" +
                std::to_string(width) + "\" height=\"" + std::to_string(height) + "\" alt=\"" +
                escapeHtml(shot.caption) + "\">\n<figcaption>" + escapeHtml(shot.caption) +
                "<br><code>" + escapeHtml(command) + "</code></figcaption>\n</figure>\n";
    }
    html += "</body>\n</html>\n";
    return html;
}
