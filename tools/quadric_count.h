// Counts the GLU quadrics alive: universe-bench links with gluNewQuadric and
// gluDeleteQuadric wrapped, so that its soak can check that the quadrics a
// frame makes do not outlive it.
#pragma once

long liveQuadrics();
