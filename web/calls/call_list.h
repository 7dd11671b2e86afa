// The calls a frame's list records: the GL, GLU and GLUT entry points the
// viewer calls itself, each declared once here with its arguments' kinds.
// Everything else is made from this list (X-macro style): the operation
// numbers and the typed record functions (call_recorder.h), the text
// (call_recorder.cpp), the link-time wrappers that record a program's calls
// (call_wrappers.cpp) and the replay of a list (call_replay.h).
//
// An entry: CALL(name, result kind, number of arguments, (argument kinds)).
// The kinds, with the C type each stands for and how the text writes it:
//   Void     void            (results only)
//   Enum     unsigned        a GL name: GL_MODELVIEW
//   Mode     unsigned        a primitive: GL_TRIANGLE_FAN
//   Mask     unsigned        clear bits: GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT
//   Int      int             45
//   Char     int             a character, quoted: 'a' (Latin-1 as such), else a number
//   Float    float           shortest form that reads back the same float: 0.1
//   Double   double          shortest form that reads back the same double
//   Params   const float*    as many values as the call's last name asks: {1, 1, 0, 1}
//   Matrix   const float*    16 values, column by column
//   MatrixD  const double*   16 values, column by column
//   Font     void*           a GLUT bitmap font by name: GLUT_BITMAP_TIMES_ROMAN_24
//   Quadric  GLUquadric*     quadric
// Queries (glGet*, glGetError) and glBitmap, which the viewer never calls,
// are left out; so are GLUT's window, callback and menu calls, made outside
// frames.
#pragma once

#define UNIVERSE_CALLS(CALL)                                                       \
    CALL(glEnable, Void, 1, (Enum))                                                \
    CALL(glDisable, Void, 1, (Enum))                                               \
    CALL(glFlush, Void, 0, ())                                                     \
    CALL(glViewport, Void, 4, (Int, Int, Int, Int))                                \
    CALL(glClearColor, Void, 4, (Float, Float, Float, Float))                      \
    CALL(glClearDepth, Void, 1, (Double))                                          \
    CALL(glClear, Void, 1, (Mask))                                                 \
    CALL(glDepthFunc, Void, 1, (Enum))                                             \
    CALL(glCullFace, Void, 1, (Enum))                                              \
    CALL(glFrontFace, Void, 1, (Enum))                                             \
    CALL(glShadeModel, Void, 1, (Enum))                                            \
    CALL(glMatrixMode, Void, 1, (Enum))                                            \
    CALL(glPushMatrix, Void, 0, ())                                                \
    CALL(glPopMatrix, Void, 0, ())                                                 \
    CALL(glLoadIdentity, Void, 0, ())                                              \
    CALL(glLoadMatrixf, Void, 1, (Matrix))                                         \
    CALL(glMultMatrixf, Void, 1, (Matrix))                                         \
    CALL(glMultMatrixd, Void, 1, (MatrixD))                                        \
    CALL(glRotatef, Void, 4, (Float, Float, Float, Float))                         \
    CALL(glRotated, Void, 4, (Double, Double, Double, Double))                     \
    CALL(glTranslatef, Void, 3, (Float, Float, Float))                             \
    CALL(glTranslated, Void, 3, (Double, Double, Double))                          \
    CALL(glScalef, Void, 3, (Float, Float, Float))                                 \
    CALL(glOrtho, Void, 6, (Double, Double, Double, Double, Double, Double))       \
    CALL(glBegin, Void, 1, (Mode))                                                 \
    CALL(glEnd, Void, 0, ())                                                       \
    CALL(glVertex3d, Void, 3, (Double, Double, Double))                            \
    CALL(glVertex3i, Void, 3, (Int, Int, Int))                                     \
    CALL(glNormal3f, Void, 3, (Float, Float, Float))                               \
    CALL(glNormal3d, Void, 3, (Double, Double, Double))                            \
    CALL(glColor3f, Void, 3, (Float, Float, Float))                                \
    CALL(glLightfv, Void, 3, (Enum, Enum, Params))                                 \
    CALL(glLightModelf, Void, 2, (Enum, Float))                                    \
    CALL(glLightModeli, Void, 2, (Enum, Int))                                      \
    CALL(glLightModelfv, Void, 2, (Enum, Params))                                  \
    CALL(glMaterialfv, Void, 3, (Enum, Enum, Params))                              \
    CALL(glColorMaterial, Void, 2, (Enum, Enum))                                   \
    CALL(glRasterPos3f, Void, 3, (Float, Float, Float))                            \
    CALL(glPixelStorei, Void, 2, (Enum, Int))                                      \
    CALL(gluPerspective, Void, 4, (Double, Double, Double, Double))                \
    CALL(gluLookAt, Void, 9,                                                       \
         (Double, Double, Double, Double, Double, Double, Double, Double, Double)) \
    CALL(gluNewQuadric, Quadric, 0, ())                                            \
    CALL(gluDeleteQuadric, Void, 1, (Quadric))                                     \
    CALL(gluCylinder, Void, 6, (Quadric, Double, Double, Double, Int, Int))        \
    CALL(glutSolidSphere, Void, 3, (Double, Int, Int))                             \
    CALL(glutWireSphere, Void, 3, (Double, Int, Int))                              \
    CALL(glutSolidCube, Void, 1, (Double))                                         \
    CALL(glutWireCube, Void, 1, (Double))                                          \
    CALL(glutSolidCone, Void, 4, (Double, Double, Int, Int))                       \
    CALL(glutWireCone, Void, 4, (Double, Double, Int, Int))                        \
    CALL(glutBitmapCharacter, Void, 2, (Font, Char))                               \
    CALL(glutSwapBuffers, Void, 0, ())

// The C type of each kind.
struct GLUquadric;
#define UNIVERSE_CALL_TYPE_Void void
#define UNIVERSE_CALL_TYPE_Enum unsigned
#define UNIVERSE_CALL_TYPE_Mode unsigned
#define UNIVERSE_CALL_TYPE_Mask unsigned
#define UNIVERSE_CALL_TYPE_Int int
#define UNIVERSE_CALL_TYPE_Char int
#define UNIVERSE_CALL_TYPE_Float float
#define UNIVERSE_CALL_TYPE_Double double
#define UNIVERSE_CALL_TYPE_Params const float*
#define UNIVERSE_CALL_TYPE_Matrix const float*
#define UNIVERSE_CALL_TYPE_MatrixD const double*
#define UNIVERSE_CALL_TYPE_Font void*
#define UNIVERSE_CALL_TYPE_Quadric GLUquadric*

// Expansion helpers: an entry's arguments as a parameter list, as the
// argument names a0, a1, ... and as one statement per argument.
#define UNIVERSE_CALL_CAT(a, b) UNIVERSE_CALL_CAT_(a, b)
#define UNIVERSE_CALL_CAT_(a, b) a##b
#define UNIVERSE_CALL_PARAM(i, kind) UNIVERSE_CALL_TYPE_##kind a##i
#define UNIVERSE_CALL_ARG(i, kind) a##i
#define UNIVERSE_CALL_LIST_0(M, none)
#define UNIVERSE_CALL_LIST_1(M, k0) M(0, k0)
#define UNIVERSE_CALL_LIST_2(M, k0, k1) M(0, k0), M(1, k1)
#define UNIVERSE_CALL_LIST_3(M, k0, k1, k2) UNIVERSE_CALL_LIST_2(M, k0, k1), M(2, k2)
#define UNIVERSE_CALL_LIST_4(M, k0, k1, k2, k3) UNIVERSE_CALL_LIST_3(M, k0, k1, k2), M(3, k3)
#define UNIVERSE_CALL_LIST_6(M, k0, k1, k2, k3, k4, k5) \
    UNIVERSE_CALL_LIST_4(M, k0, k1, k2, k3), M(4, k4), M(5, k5)
#define UNIVERSE_CALL_LIST_9(M, k0, k1, k2, k3, k4, k5, k6, k7, k8) \
    UNIVERSE_CALL_LIST_6(M, k0, k1, k2, k3, k4, k5), M(6, k6), M(7, k7), M(8, k8)
#define UNIVERSE_CALL_EACH_0(M, none)
#define UNIVERSE_CALL_EACH_1(M, k0) M(0, k0)
#define UNIVERSE_CALL_EACH_2(M, k0, k1) M(0, k0) M(1, k1)
#define UNIVERSE_CALL_EACH_3(M, k0, k1, k2) UNIVERSE_CALL_EACH_2(M, k0, k1) M(2, k2)
#define UNIVERSE_CALL_EACH_4(M, k0, k1, k2, k3) UNIVERSE_CALL_EACH_3(M, k0, k1, k2) M(3, k3)
#define UNIVERSE_CALL_EACH_6(M, k0, k1, k2, k3, k4, k5) \
    UNIVERSE_CALL_EACH_4(M, k0, k1, k2, k3) M(4, k4) M(5, k5)
#define UNIVERSE_CALL_EACH_9(M, k0, k1, k2, k3, k4, k5, k6, k7, k8) \
    UNIVERSE_CALL_EACH_6(M, k0, k1, k2, k3, k4, k5) M(6, k6) M(7, k7) M(8, k8)
// (kinds) applied: UNIVERSE_CALL_PARAMS(4, (Float, ...)) and so on.
#define UNIVERSE_CALL_APPLY(macro, args) macro args
#define UNIVERSE_CALL_PARAMS(n, kinds) \
    UNIVERSE_CALL_APPLY(UNIVERSE_CALL_LIST_##n, (UNIVERSE_CALL_PARAM, UNIVERSE_CALL_UNPACK kinds))
#define UNIVERSE_CALL_ARGS(n, kinds) \
    UNIVERSE_CALL_APPLY(UNIVERSE_CALL_LIST_##n, (UNIVERSE_CALL_ARG, UNIVERSE_CALL_UNPACK kinds))
#define UNIVERSE_CALL_STATEMENTS(n, M, kinds) \
    UNIVERSE_CALL_APPLY(UNIVERSE_CALL_EACH_##n, (M, UNIVERSE_CALL_UNPACK kinds))
#define UNIVERSE_CALL_UNPACK(...) __VA_ARGS__
