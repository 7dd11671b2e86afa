#include "install_files.h"

#include <algorithm>
#include <cmath>

std::string latin1ToUtf8(const std::string& latin1) {
    std::string utf8;
    for (unsigned char c : latin1) {
        if (c < 0x80) {
            utf8 += static_cast<char>(c);
        } else {
            utf8 += static_cast<char>(0xC0 | (c >> 6));
            utf8 += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return utf8;
}

std::string desktopEntryValue(const std::string& utf8) {
    std::string out;
    for (size_t i = 0; i < utf8.size(); ++i) {
        const char c = utf8[i];
        switch (c) {
            case '\\': out += "\\\\"; break;
            case '\n': out += "\\n"; break;
            case '\t': out += "\\t"; break;
            case '\r': out += "\\r"; break;
            case ' ': out += (i == 0 || i + 1 == utf8.size()) ? "\\s" : " "; break;
            default: out += c;
        }
    }
    return out;
}

// The Portuguese values are Latin-1 bytes here, like the viewer's texts.
std::string viewerDesktopEntry() {
    auto portuguese = [](const char* latin1) { return desktopEntryValue(latin1ToUtf8(latin1)); };
    return "[Desktop Entry]\n"
           "Type=Application\n"
           "Name=Universo 3D\n"
           "Name[pt]=Universo 3D\n"
           "GenericName=3D universe viewer\n"
           "GenericName[pt]=" +
           portuguese("Visualizador 3D do universo") +
           "\n"
           "Comment=Animated 3D model of a small universe: the Sun, planets, the Earth and the "
           "Moon, rockets and satellites\n"
           "Comment[pt]=" +
           portuguese("Modelo 3D animado de um pequeno universo: o Sol, planetas, a Terra "
                      "e a Lua, foguet\xF5"
                      "es e sat\xE9lites") +
           "\n"
           "Keywords=universe;solar system;planets;astronomy;space;3D;OpenGL;\n"
           "Keywords[pt]=" +
           portuguese("universo;sistema solar;planetas;astronomia;espa\xE7o;3D;OpenGL;") +
           "\n"
           "Exec=universe\n"
           "Icon=universo3d\n"
           "Terminal=false\n"
           "StartupWMClass=Universo3D\n"
           "Categories=Education;Astronomy;\n";
}

RgbImage squareThumbnail(const RgbImage& image, int size, double share) {
    const int shorter = std::min(image.width, image.height);
    const int side = std::clamp(static_cast<int>(std::lround(share * shorter)), 1, shorter);
    const int left = (image.width - side) / 2, top = (image.height - side) / 2;
    RgbImage thumb;
    thumb.width = thumb.height = size;
    thumb.pixels.resize(static_cast<size_t>(size) * size * 3);
    const double scale = static_cast<double>(side) / size;  // source pixels per target pixel
    // Each target pixel covers [t * scale, (t + 1) * scale) of the square on
    // both axes; source pixels count by the length of their overlap.
    auto overlap = [](double from, double to, int pixel) {
        return std::max(0.0,
                        std::min(to, pixel + 1.0) - std::max(from, static_cast<double>(pixel)));
    };
    for (int ty = 0; ty < size; ++ty)
        for (int tx = 0; tx < size; ++tx) {
            const double x0 = tx * scale, x1 = x0 + scale, y0 = ty * scale, y1 = y0 + scale;
            double sum[3] = {0, 0, 0}, weight = 0;
            for (int sy = static_cast<int>(y0); sy < side && sy < y1; ++sy)
                for (int sx = static_cast<int>(x0); sx < side && sx < x1; ++sx) {
                    const double w = overlap(x0, x1, sx) * overlap(y0, y1, sy);
                    const unsigned char* p =
                        &image
                             .pixels[(static_cast<size_t>(top + sy) * image.width + left + sx) * 3];
                    for (int k = 0; k < 3; ++k) sum[k] += w * p[k];
                    weight += w;
                }
            for (int k = 0; k < 3; ++k)
                thumb.pixels[(static_cast<size_t>(ty) * size + tx) * 3 + k] =
                    static_cast<unsigned char>(sum[k] / weight + 0.5);
        }
    return thumb;
}
