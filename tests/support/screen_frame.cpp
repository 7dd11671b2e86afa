#include "support/screen_frame.h"

#include <GL/gl.h>

#include "app/frame_loop.h"
#include "scenes/text_screens.h"

unsigned drawScreenFrame() {
    displayFrame(drawFarewellFrame);
    return glGetError();
}
