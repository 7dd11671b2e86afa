#include "x_window_image.h"

#include <X11/Xutil.h>

RgbImage readWindowImage(Display* display, Window window) {
    RgbImage picture;
    XWindowAttributes attributes;
    if (!XGetWindowAttributes(display, window, &attributes)) return picture;
    XImage* image = XGetImage(display, window, 0, 0, attributes.width, attributes.height,
                              AllPlanes, ZPixmap);
    if (!image) return picture;
    picture.width = attributes.width;
    picture.height = attributes.height;
    picture.pixels.reserve(static_cast<size_t>(picture.width) * picture.height * 3);
    for (int y = 0; y < picture.height; ++y)
        for (int x = 0; x < picture.width; ++x) {
            const unsigned long p = XGetPixel(image, x, y);
            picture.pixels.push_back(static_cast<unsigned char>((p & image->red_mask) >> 16));
            picture.pixels.push_back(static_cast<unsigned char>((p & image->green_mask) >> 8));
            picture.pixels.push_back(static_cast<unsigned char>(p & image->blue_mask));
        }
    XDestroyImage(image);
    return picture;
}
