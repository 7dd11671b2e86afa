#include "png_file.h"

#include <png.h>

#include <cstdio>

// Streams the rows into an open file; false when libpng reports an error.
static bool encode(FILE* file, const RgbImage& image) {
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    if (!png) return false;
    png_infop info = png_create_info_struct(png);
    if (!info || setjmp(png_jmpbuf(png)) != 0) {
        png_destroy_write_struct(&png, info ? &info : nullptr);
        return false;
    }
    png_init_io(png, file);
    png_set_IHDR(png, info, image.width, image.height, 8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    for (int row = 0; row < image.height; ++row) {
        png_write_row(png, image.pixels.data() + static_cast<size_t>(row) * image.width * 3);
    }
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return true;
}

std::string writePng(const std::string& path, const RgbImage& image) {
    return writeOutput(path, [&](FILE* file) { return encode(file, image); });
}

std::string readPng(const std::string& path, RgbImage& image) {
    png_image source{};
    source.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&source, path.c_str())) return "cannot read " + path;
    source.format = PNG_FORMAT_RGB;
    image.width = static_cast<int>(source.width);
    image.height = static_cast<int>(source.height);
    image.pixels.assign(PNG_IMAGE_SIZE(source), 0);
    if (!png_image_finish_read(&source, nullptr, image.pixels.data(), 0, nullptr)) {
        png_image_free(&source);
        return "cannot read " + path;
    }
    return "";
}
