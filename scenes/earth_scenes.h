// The Earth, Moon, Rocket and Man scenes: a large Earth with the Moon, the
// astronaut on it, two rockets and three satellites.
#pragma once

// One whole frame of the automatic scene, ending with the buffer swap.
void drawEarthSceneAuto();

// One whole frame of the manual scene: each object follows the manual motion
// only while its follow flag is set.
void drawEarthSceneManual();
