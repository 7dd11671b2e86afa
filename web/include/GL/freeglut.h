/* The part of freeglut's API that the viewer uses, for the browser build:
 * the window, its callbacks and event loop, the pop-up menus, the shapes
 * and the bitmap fonts, with freeglut's signatures and constant values. The
 * fonts are small numbers, as freeglut defines them on Windows. */
#ifndef UNIVERSE_WEB_GL_FREEGLUT_H
#define UNIVERSE_WEB_GL_FREEGLUT_H

#include <GL/gl.h>
#include <GL/glu.h>

/* Display modes. */
#define GLUT_RGB 0x0000
#define GLUT_RGBA 0x0000
#define GLUT_SINGLE 0x0000
#define GLUT_DOUBLE 0x0002
#define GLUT_DEPTH 0x0010

/* Mouse buttons. */
#define GLUT_LEFT_BUTTON 0x0000
#define GLUT_MIDDLE_BUTTON 0x0001
#define GLUT_RIGHT_BUTTON 0x0002

/* Special keys. */
#define GLUT_KEY_F1 0x0001
#define GLUT_KEY_F2 0x0002
#define GLUT_KEY_F3 0x0003
#define GLUT_KEY_F4 0x0004
#define GLUT_KEY_F5 0x0005
#define GLUT_KEY_F6 0x0006
#define GLUT_KEY_F7 0x0007
#define GLUT_KEY_F8 0x0008
#define GLUT_KEY_F9 0x0009
#define GLUT_KEY_F10 0x000A
#define GLUT_KEY_F11 0x000B
#define GLUT_KEY_F12 0x000C
#define GLUT_KEY_LEFT 0x0064
#define GLUT_KEY_UP 0x0065
#define GLUT_KEY_RIGHT 0x0066
#define GLUT_KEY_DOWN 0x0067

/* Bitmap fonts. */
#define GLUT_BITMAP_TIMES_ROMAN_24 ((void*)0x0005)
#define GLUT_BITMAP_HELVETICA_18 ((void*)0x0008)

#ifdef __cplusplus
extern "C" {
#endif

/* Start-up and the window. */
void glutInit(int* pargc, char** argv);
void glutInitDisplayMode(unsigned int displayMode);
void glutInitWindowSize(int width, int height);
void glutInitWindowPosition(int x, int y);
int glutCreateWindow(const char* title);
void glutFullScreen(void);
void glutPostRedisplay(void);
void glutSwapBuffers(void);
void glutMainLoop(void);

/* Callbacks. */
void glutDisplayFunc(void (*callback)(void));
void glutReshapeFunc(void (*callback)(int width, int height));
void glutKeyboardFunc(void (*callback)(unsigned char key, int x, int y));
void glutSpecialFunc(void (*callback)(int key, int x, int y));
void glutIdleFunc(void (*callback)(void));

/* Pop-up menus. */
int glutCreateMenu(void (*callback)(int value));
void glutAddMenuEntry(const char* label, int value);
void glutAddSubMenu(const char* label, int subMenu);
void glutAttachMenu(int button);

/* Shapes. */
void glutSolidSphere(double radius, GLint slices, GLint stacks);
void glutWireSphere(double radius, GLint slices, GLint stacks);
void glutSolidCube(double size);
void glutWireCube(double size);
void glutSolidCone(double base, double height, GLint slices, GLint stacks);
void glutWireCone(double base, double height, GLint slices, GLint stacks);

/* Bitmap text. */
void glutBitmapCharacter(void* font, int character);

#ifdef __cplusplus
}
#endif

#endif
