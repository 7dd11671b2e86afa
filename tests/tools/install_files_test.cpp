// The desktop entry and the icon that installation adds.
#include <gtest/gtest.h>

#include "install_files.h"
#include "tool_process.h"

TEST(InstallFiles, DesktopEntryIsNamedByTheWindowTitleInUtf8) {
    const std::string entry = readFile(UNIVERSE_DESKTOP_FILE);
    // The window title, with its three accented letters as two-byte UTF-8
    // sequences, its double space kept and its trailing space escaped.
    EXPECT_NE(entry.find("\nName=Visualiza\xC3\xA7\xC3\xA3o Computacional - Universo -  "
                         "Representa\xC3\xA7\xC3\xA3o 3D\\s\n"),
              std::string::npos)
        << entry;
    EXPECT_EQ(entry.rfind("[Desktop Entry]\n", 0), 0u);
    EXPECT_NE(entry.find("\nExec=universe\n"), std::string::npos);
    EXPECT_NE(entry.find("\nIcon=universo3d\n"), std::string::npos);
    EXPECT_NE(entry.find("\nType=Application\n"), std::string::npos);

    EXPECT_EQ(latin1ToUtf8("\xE1\xFF" "a"), "\xC3\xA1\xC3\xBF" "a");
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

    RgbImage built;
    ASSERT_EQ(readPng(UNIVERSE_ICON_FILE, built), "");
    EXPECT_EQ(built.width, 256);
    EXPECT_EQ(built.height, 256);
}
