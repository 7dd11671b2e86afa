#include "x_window_image.h"

#include <X11/Xutil.h>

// One colour channel of a true-colour pixel as 8 bits, whatever the mask's
// position and width.
static unsigned char channel(unsigned long pixel, unsigned long mask) {
    if (!mask) return 0;
    int shift = 0;
    while (!((mask >> shift) & 1)) ++shift;
    const unsigned long top = mask >> shift;
    return static_cast<unsigned char>(((pixel & mask) >> shift) * 255 / top);
}

RgbImage readWindowImage(Display* display, Window window) {
    RgbImage picture;
    XWindowAttributes attributes;
    if (!XGetWindowAttributes(display, window, &attributes)) return picture;
    XImage* image =
        XGetImage(display, window, 0, 0, attributes.width, attributes.height, AllPlanes, ZPixmap);
    if (!image) return picture;
    picture.width = attributes.width;
    picture.height = attributes.height;
    picture.pixels.reserve(static_cast<size_t>(picture.width) * picture.height * 3);
    for (int y = 0; y < picture.height; ++y)
        for (int x = 0; x < picture.width; ++x) {
            const unsigned long p = XGetPixel(image, x, y);
            picture.pixels.push_back(channel(p, image->red_mask));
            picture.pixels.push_back(channel(p, image->green_mask));
            picture.pixels.push_back(channel(p, image->blue_mask));
        }
    XDestroyImage(image);
    return picture;
}
