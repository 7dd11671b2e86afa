// The current raster position, for glGet.
#ifndef UNIVERSE_WEB_GL_RASTER_H
#define UNIVERSE_WEB_GL_RASTER_H

struct RasterPosition {
    float window[4] = {0, 0, 0, 1};  // window x, y, depth in [0, 1], clip w
    float color[4] = {1, 1, 1, 1};
    bool valid = true;
};

const RasterPosition& rasterPosition();

#endif
