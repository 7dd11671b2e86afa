# The browser platform's source lists, shared by web/CMakeLists.txt (the
# web build) and tests/CMakeLists.txt (the native test of the GL core).

# The GL core: the context and its pipeline stages (web/gl/gl_context.h), with
# GLU's and GLUT's shapes, which it caches. Plain C++: the native test
# compiles it with the host compiler and a recording back end.
set(UNIVERSE_WEB_GL_CORE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/gl/gl_lighting.cpp
  ${CMAKE_CURRENT_LIST_DIR}/gl/gl_matrix_math.cpp
  ${CMAKE_CURRENT_LIST_DIR}/gl/gl_matrix_stacks.cpp
  ${CMAKE_CURRENT_LIST_DIR}/gl/gl_primitives.cpp
  ${CMAKE_CURRENT_LIST_DIR}/gl/gl_raster.cpp
  ${CMAKE_CURRENT_LIST_DIR}/gl/gl_shape_cache.cpp
  ${CMAKE_CURRENT_LIST_DIR}/gl/gl_state.cpp
  ${CMAKE_CURRENT_LIST_DIR}/glu/glu.cpp
  ${CMAKE_CURRENT_LIST_DIR}/glut/glut_shapes.cpp
)

# The command stream the back end records for the page (plain C++: the
# native test checks it too).
set(UNIVERSE_WEB_COMMAND_STREAM_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/webgl/command_stream.cpp
)

# The core's back end in the page: WebGL, reached through the JavaScript
# library web/webgl/webgl_library.js (web/CMakeLists.txt links it).
set(UNIVERSE_WEB_GL_BACKEND_SOURCES
  ${UNIVERSE_WEB_COMMAND_STREAM_SOURCES}
  ${CMAKE_CURRENT_LIST_DIR}/webgl/gl_webgl_backend.cpp
)

# GLUT's bitmap fonts (with freeglut's glyphs, generated into the build
# folder by web/CMakeLists.txt), window, callbacks, event loop and menus,
# bridged to the page.
set(UNIVERSE_WEB_RUNTIME_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/glut/glut_fonts.cpp
  ${CMAKE_CURRENT_LIST_DIR}/glut/glut_runtime.cpp
  ${CMAKE_CURRENT_LIST_DIR}/glut/glut_menus.cpp
)
