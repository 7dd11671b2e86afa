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

# The recorder of a frame's calls (web/calls/call_list.h) and the link-time
# wrappers that feed it: plain C++ over the platform's GL headers, linked
# into the browser build and universe-snapshot, each with -Wl,--wrap=NAME
# for every name of the list (UNIVERSE_CALL_WRAPS).
set(UNIVERSE_CALL_RECORDER_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/calls/call_recorder.cpp
  ${CMAKE_CURRENT_LIST_DIR}/calls/call_wrappers.cpp
)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${CMAKE_CURRENT_LIST_DIR}/calls/call_list.h)
file(READ ${CMAKE_CURRENT_LIST_DIR}/calls/call_list.h universe_call_list)
string(REGEX MATCHALL "CALL\\((glu?t?[A-Z][A-Za-z0-9]*)" universe_call_entries "${universe_call_list}")
set(UNIVERSE_CALL_WRAPS "")
foreach(entry ${universe_call_entries})
  string(REPLACE "CALL(" "" name ${entry})
  list(APPEND UNIVERSE_CALL_WRAPS -Wl,--wrap=${name})
endforeach()

# GLUT's bitmap fonts (with freeglut's glyphs, generated into the build
# folder by web/CMakeLists.txt), window, callbacks, event loop and menus,
# bridged to the page, and the inspection of the frame shown.
set(UNIVERSE_WEB_RUNTIME_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/glut/glut_calls.cpp
  ${CMAKE_CURRENT_LIST_DIR}/glut/glut_fonts.cpp
  ${CMAKE_CURRENT_LIST_DIR}/glut/glut_runtime.cpp
  ${CMAKE_CURRENT_LIST_DIR}/glut/glut_menus.cpp
)
