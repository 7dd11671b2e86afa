#include "render/manual_motion.h"

#include <GL/freeglut.h>

#include "state/app_state.h"

void applyManualMotion() {
    AppState& s = appState;
    if (s.showUniverseManual || s.showEarthManual) {
        const float x = (s.starAxis == 'a') ? 1.0f : 0.0f;
        const float y = (s.starAxis == 'b') ? 1.0f : 0.0f;
        const float z = (s.starAxis == 'c') ? 1.0f : 0.0f;
        glRotatef(s.manualAngle, x, y, z);
        glTranslatef(s.manualOffsetX, s.manualOffsetY, s.manualOffsetZ);
        glScalef(s.manualScaleX, s.manualScaleY, s.manualScaleZ);
    }
    if (s.showEarthManual) stepStride(s);
}
