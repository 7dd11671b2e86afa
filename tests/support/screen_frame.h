// Drawing whichever screen the state shows, the farewell screen included.
#pragma once

// Draws one frame of the screen that the scene flags name through the
// display callback and returns the GL error that followed (GL_NO_ERROR when
// all was well). The farewell screen's display would end the process, so
// for it the same clear and pending view reset run, then its picture alone.
unsigned drawScreenFrame();
