// The desktop entry and the icons that installation adds.
#include <gtest/gtest.h>

#include "install_files.h"
#include "tool_process.h"

TEST(InstallFiles, DesktopEntryNamesTheViewerInEnglishAndPortuguese) {
    const std::string entry = readFile(UNIVERSE_DESKTOP_FILE);
    EXPECT_EQ(entry.rfind("[Desktop Entry]\n", 0), 0u);
    for (const char* line : {"Type=Application", "Name=Universo 3D", "Name[pt]=Universo 3D",
                             "Exec=universe", "Icon=universo3d", "StartupWMClass=Universo3D"})
        EXPECT_NE(entry.find(std::string("\n") + line + "\n"), std::string::npos) << line << "\n"
                                                                                  << entry;
    // The Portuguese comment in UTF-8: "foguetões e satélites".
    EXPECT_NE(entry.find("\nComment[pt]="), std::string::npos) << entry;
    EXPECT_NE(entry.find("foguet\xC3\xB5"
                         "es e sat\xC3\xA9lites\n"),
              std::string::npos)
        << entry;
    EXPECT_NE(entry.find("\nKeywords[pt]="), std::string::npos) << entry;

    EXPECT_EQ(latin1ToUtf8("\xE1\xFF"
                           "a"),
              "\xC3\xA1\xC3\xBF"
              "a");
    EXPECT_EQ(desktopEntryValue(" a\\b\tc "), "\\sa\\\\b\\tc\\s");
}

TEST(InstallFiles, IconIsTheCentreSquareAveragedDown) {
    // 5 x 3: the centre square is columns 1 to 3. Red = 20 * x + 60 * y
    // inside it; green marks the columns outside, which must not count.
    RgbImage picture;
    picture.width = 5;
    picture.height = 3;
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 5; ++x) {
            const bool inside = x >= 1 && x <= 3;
            picture.pixels.insert(picture.pixels.end(),
                                  {static_cast<unsigned char>(inside ? 20 * (x - 1) + 60 * y : 0),
                                   static_cast<unsigned char>(inside ? 0 : 255), 7});
        }
    // 3 -> 2: each target pixel covers 1.5 x 1.5 source pixels. The top-left
    // one: weights 1, 0.5, 0.5, 0.25 on red 0, 20, 60, 80, over 2.25 = 26.7.
    const RgbImage icon = squareThumbnail(picture, 2);
    ASSERT_EQ(icon.width, 2);
    ASSERT_EQ(icon.height, 2);
    EXPECT_EQ(icon.pixels[0], 27);
    EXPECT_EQ(icon.pixels[1], 0);
    EXPECT_EQ(icon.pixels[2], 7);
    // Bottom-right: red 80, 100, 140, 160 with weights 0.25, 0.5, 0.5, 1:
    // (20 + 50 + 70 + 160) / 2.25 = 133.3.
    EXPECT_EQ(icon.pixels[9], 133);
    // 3 -> 1: the plain mean of the nine reds, 720 / 9 = 80.
    EXPECT_EQ(squareThumbnail(picture, 1).pixels[0], 80);
    // A share of 2/3: the 2 x 2 square from (1, 0), reds 0, 20, 60 and 80.
    EXPECT_EQ(squareThumbnail(picture, 1, 2.0 / 3).pixels[0], 40);

    // The built icons: the sun, red to yellow, fills their middle.
    for (int size : {48, 64, 128, 256}) {
        const std::string side = std::to_string(size);
        RgbImage built;
        ASSERT_EQ(readPng(UNIVERSE_ICON_FOLDER "/" + side + "x" + side + "/apps/universo3d.png",
                          built),
                  "");
        EXPECT_EQ(built.width, size);
        EXPECT_EQ(built.height, size);
        int sunny = 0;
        for (int y = size * 3 / 8; y < size * 5 / 8; ++y)
            for (int x = size * 3 / 8; x < size * 5 / 8; ++x) {
                const unsigned char* p = &built.pixels[(static_cast<size_t>(y) * size + x) * 3];
                if (p[0] > 150 && p[0] >= p[2] + 30) ++sunny;
            }
        EXPECT_GT(sunny, size * size / 16 * 9 / 10) << side;
    }
}
