// Vertex positions of what a piece of drawing code emits, captured with GL
// feedback mode under an orthographic projection that maps scene units
// one-to-one, so the positions come back in the frame the code drew in.
#pragma once

#include <array>
#include <functional>
#include <vector>

using Vertex = std::array<double, 3>;

// The triangles (three vertices each) that `draw` emits from the current
// model-view matrix (identity here). Everything within +-range is kept.
std::vector<std::array<Vertex, 3>> captureTriangles(const std::function<void()>& draw,
                                                    double range = 100000);
