// Layer state/, the lowest: the state record and the small rules on its
// fields. Plain data and logic: no GL, and no other folder of the viewer.
//
// The one process-wide state record of the viewer: window and projection,
// camera, animation clocks, manual transform, options and scene selection.
// Every callback reads and writes it; GLUT callbacks take no user pointer, so
// it lives at file scope as `appState`.
#pragma once

struct AppState {
    // Window and projection.
    int windowWidth = 800;
    int windowHeight = 600;
    double zNear = 300.0;
    double zFar = 30000.0;
    double aspectRatio = 1.0;
    double fovY = 50.0;  // degrees; the zoom

    // Camera: eye point and look-at point; up is always +z.
    double eyeX = 5000.0;
    double eyeY = 5000.0;
    double eyeZ = 3500.0;
    double centerX = 0.0;
    double centerY = 0.0;
    double centerZ = 2.0;

    // Animation.
    float spinAngle = 0.0f;    // degrees, Universe and Earth scenes
    float matrixAngle = 0.0f;  // radians, matrix-built Universe
    bool starBlink = true;     // star phase, flipped every idle tick
    bool strideFlag = true;    // which half of the astronaut's stride is next
    int armSwing = 0;          // arm swing offset, degrees
    int armSpread = 0;         // sideways arm offset, scene units

    // Manual controls.
    int starAxis = 'c';  // 'a' = x axis, 'b' = y axis, 'c' = z axis
    bool rotateMode = false;
    bool translateMode = false;
    bool scaleMode = false;
    float manualAngle = 90.0f;
    float manualOffsetX = 0.0f;
    float manualOffsetY = 0.0f;
    float manualOffsetZ = 0.0f;
    float manualScaleX = 1.0f;
    float manualScaleY = 1.0f;
    float manualScaleZ = 1.0f;
    bool moonGroupManual = false;
    bool earthRocketManual = false;
    bool blueSatelliteManual = false;
    bool greenSatelliteManual = false;
    bool redSatelliteManual = false;

    // Options.
    bool axesOn = true;
    bool lightOn = true;
    bool starsSteady = false;

    // Scene selection: exactly one flag is set at a time.
    bool showUniverseAuto = false;
    bool showUniverseManual = false;
    bool showEarthAuto = false;
    bool showEarthManual = false;
    bool showMatrixUniverse = false;
    bool showIntro = true;
    bool showFarewell = false;
    bool resetPending = true;  // next display restores the view defaults first
};

extern AppState appState;

// Flips a one-byte flag: 1 when it was 0, 0 otherwise.
inline void toggle(bool& flag) { flag = !flag; }

// Takes one step of the astronaut's stride: the arm pose of the half-step
// that `strideFlag` names, then the other half comes next.
void stepStride(AppState& state);
