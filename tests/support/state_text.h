// Every field of an AppState as "name=value" lines at full precision, so a
// "changes nothing" check compares the whole record and names what moved.
#pragma once

#include <iomanip>
#include <sstream>
#include <string>

#include "state/app_state.h"

inline std::string stateText(const AppState& s) {
    std::ostringstream out;
    out << std::setprecision(17);
    // A list of macro calls, which clang-format cannot lay out.
    // clang-format off
#define FIELD(name) out << #name "=" << +s.name << '\n';
    FIELD(windowWidth) FIELD(windowHeight) FIELD(zNear) FIELD(zFar) FIELD(aspectRatio)
    FIELD(fovY) FIELD(eyeX) FIELD(eyeY) FIELD(eyeZ) FIELD(centerX) FIELD(centerY)
    FIELD(centerZ) FIELD(spinAngle) FIELD(matrixAngle) FIELD(starBlink) FIELD(strideFlag)
    FIELD(armSwing) FIELD(armSpread) FIELD(starAxis) FIELD(rotateMode) FIELD(translateMode)
    FIELD(scaleMode) FIELD(manualAngle) FIELD(manualOffsetX) FIELD(manualOffsetY)
    FIELD(manualOffsetZ) FIELD(manualScaleX) FIELD(manualScaleY) FIELD(manualScaleZ)
    FIELD(moonGroupManual) FIELD(earthRocketManual) FIELD(blueSatelliteManual)
    FIELD(greenSatelliteManual) FIELD(redSatelliteManual) FIELD(axesOn) FIELD(lightOn)
    FIELD(starsSteady) FIELD(showUniverseAuto) FIELD(showUniverseManual)
    FIELD(showEarthAuto) FIELD(showEarthManual) FIELD(showMatrixUniverse) FIELD(showIntro)
    FIELD(showFarewell) FIELD(resetPending)
#undef FIELD
        // clang-format on
        return out.str();
}
