#include "quadric_count.h"

#include <GL/glu.h>

namespace {
long alive = 0;
}

extern "C" GLUquadric* __real_gluNewQuadric();
extern "C" void __real_gluDeleteQuadric(GLUquadric* quadric);

extern "C" GLUquadric* __wrap_gluNewQuadric() {
    GLUquadric* quadric = __real_gluNewQuadric();
    if (quadric) ++alive;
    return quadric;
}

extern "C" void __wrap_gluDeleteQuadric(GLUquadric* quadric) {
    if (quadric) --alive;
    __real_gluDeleteQuadric(quadric);
}

long liveQuadrics() { return alive; }
