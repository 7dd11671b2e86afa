/* The part of GLU that the viewer uses, for the browser build: the
 * perspective and look-at matrices and the quadric cylinder (the default
 * quadric only: filled, smooth normals, facing outside), with GLU's
 * signatures. */
#ifndef UNIVERSE_WEB_GL_GLU_H
#define UNIVERSE_WEB_GL_GLU_H

#include <GL/gl.h>

#ifdef __cplusplus
extern "C" {
#endif

typedef struct GLUquadric GLUquadric;
typedef GLUquadric GLUquadricObj;

void gluPerspective(GLdouble fovy, GLdouble aspect, GLdouble zNear, GLdouble zFar);
void gluLookAt(GLdouble eyeX, GLdouble eyeY, GLdouble eyeZ,
               GLdouble centerX, GLdouble centerY, GLdouble centerZ,
               GLdouble upX, GLdouble upY, GLdouble upZ);

GLUquadric* gluNewQuadric(void);
void gluDeleteQuadric(GLUquadric* quadric);
void gluCylinder(GLUquadric* quadric, GLdouble baseRadius, GLdouble topRadius,
                 GLdouble height, GLint slices, GLint stacks);

#ifdef __cplusplus
}
#endif

#endif
