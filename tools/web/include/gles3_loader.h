/* glad/gl.h for the web build (web.cmake copies it there): WebGL 2 through
 * emscripten's OpenGL ES 3.0 entry points, which are linked directly, so
 * there is nothing to load.
 * The game uses only what OpenGL 3.3 core and ES 3.0 share. */
#ifndef GAME_WEB_GLAD_GL_H
#define GAME_WEB_GLAD_GL_H

#include <GLES3/gl3.h>

#define GLAD_GL_VERSION_3_3 1
#define glad_glGenTextures glGenTextures

typedef void (*GLADapiproc)(void);
typedef GLADapiproc (*GLADloadfunc)(const char* name);

static inline int gladLoadGL(GLADloadfunc load) {
    (void)load;
    return 30000;
}

#endif
