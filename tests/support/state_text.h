// Every field of an AppState as text, one "name=value" per line with full
// precision, so that "changes nothing" checks compare the whole record and a
// failure shows which field moved.
#pragma once

#include <iomanip>
#include <sstream>
#include <string>

#include "app/app_state.h"

inline std::string stateText(const AppState& s) {
    std::ostringstream out;
    out << std::setprecision(17);
#define UNIVERSE_FIELD(name) out << #name "=" << +s.name << '\n'
    UNIVERSE_FIELD(windowWidth);
    UNIVERSE_FIELD(windowHeight);
    UNIVERSE_FIELD(zNear);
    UNIVERSE_FIELD(zFar);
    UNIVERSE_FIELD(aspectRatio);
    UNIVERSE_FIELD(fovY);
    UNIVERSE_FIELD(eyeX);
    UNIVERSE_FIELD(eyeY);
    UNIVERSE_FIELD(eyeZ);
    UNIVERSE_FIELD(centerX);
    UNIVERSE_FIELD(centerY);
    UNIVERSE_FIELD(centerZ);
    UNIVERSE_FIELD(spinAngle);
    UNIVERSE_FIELD(matrixAngle);
    UNIVERSE_FIELD(starBlink);
    UNIVERSE_FIELD(strideFlag);
    UNIVERSE_FIELD(armSwing);
    UNIVERSE_FIELD(armSpread);
    UNIVERSE_FIELD(starAxis);
    UNIVERSE_FIELD(rotateMode);
    UNIVERSE_FIELD(translateMode);
    UNIVERSE_FIELD(scaleMode);
    UNIVERSE_FIELD(manualAngle);
    UNIVERSE_FIELD(manualOffsetX);
    UNIVERSE_FIELD(manualOffsetY);
    UNIVERSE_FIELD(manualOffsetZ);
    UNIVERSE_FIELD(manualScaleX);
    UNIVERSE_FIELD(manualScaleY);
    UNIVERSE_FIELD(manualScaleZ);
    UNIVERSE_FIELD(moonGroupManual);
    UNIVERSE_FIELD(earthRocketManual);
    UNIVERSE_FIELD(blueSatelliteManual);
    UNIVERSE_FIELD(greenSatelliteManual);
    UNIVERSE_FIELD(redSatelliteManual);
    UNIVERSE_FIELD(axesOn);
    UNIVERSE_FIELD(lightOn);
    UNIVERSE_FIELD(starsSteady);
    UNIVERSE_FIELD(showUniverseAuto);
    UNIVERSE_FIELD(showUniverseManual);
    UNIVERSE_FIELD(showEarthAuto);
    UNIVERSE_FIELD(showEarthManual);
    UNIVERSE_FIELD(showMatrixUniverse);
    UNIVERSE_FIELD(showIntro);
    UNIVERSE_FIELD(showFarewell);
    UNIVERSE_FIELD(resetPending);
#undef UNIVERSE_FIELD
    return out.str();
}
