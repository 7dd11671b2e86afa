# The Linux build on X11 (scripts/build): the viewer, the files made for the
# desktop, the tools universe-snapshot and universe-bench, and the tests.

if(NOT CMAKE_BUILD_TYPE)
  set(CMAKE_BUILD_TYPE RelWithDebInfo)
endif()

set(OpenGL_GL_PREFERENCE GLVND)
find_package(OpenGL REQUIRED COMPONENTS OpenGL GLX)
find_package(GLUT REQUIRED)
find_package(X11 REQUIRED)
if(NOT OPENGL_GLU_FOUND)
  message(FATAL_ERROR "GLU not found")
endif()
target_link_libraries(universe_core PUBLIC GLUT::GLUT OpenGL::GLU OpenGL::GL)

# app/platform_x11.cpp gives the window its class and icon (window_icon.inc,
# made below).
target_sources(universe_core PRIVATE app/platform_x11.cpp)
target_include_directories(universe_core PRIVATE ${CMAKE_CURRENT_BINARY_DIR})
target_link_libraries(universe_core PRIVATE OpenGL::GLX X11::X11)
add_dependencies(universe_core universe_install_files)

# app/menu_paint.cpp defines glOrtho for the whole process (freeglut's menu
# projection goes through it), so only the viewer links it, not the library.
add_executable(universe app/main.cpp app/menu_paint.cpp)
target_link_libraries(universe PRIVATE universe_core OpenGL::GLX X11::X11 ${CMAKE_DL_LIBS})

# PNG files and window images, for the tools and the build step below.
find_package(PNG REQUIRED)
add_library(universe_png STATIC tools/png_file.cpp tools/output_file.cpp tools/x_window_image.cpp)
target_link_libraries(universe_png PUBLIC PNG::PNG X11::X11)
target_include_directories(universe_png PUBLIC ${CMAKE_CURRENT_SOURCE_DIR}/tools)

# The desktop entry, the desktop icons and the window icon, made at build
# time from one picture of the gallery (its middle: the sun and the nearest
# planets). The core library waits for it: it compiles in the window icon.
add_library(universe_install_logic STATIC tools/install_files.cpp)
target_link_libraries(universe_install_logic PUBLIC universe_png)
add_executable(universe-install-files tools/make_install_files.cpp)
target_link_libraries(universe-install-files PRIVATE universe_install_logic)
set(UNIVERSE_ICON_SOURCE ${CMAKE_CURRENT_SOURCE_DIR}/docs/gallery/universe-auto.png)
set(UNIVERSE_ICON_SIZES 48 64 128 256)
set(UNIVERSE_ICON_FILES "")
foreach(size ${UNIVERSE_ICON_SIZES})
  list(APPEND UNIVERSE_ICON_FILES
    ${CMAKE_CURRENT_BINARY_DIR}/icons/hicolor/${size}x${size}/apps/universo3d.png)
endforeach()
add_custom_command(
  OUTPUT universo3d.desktop window_icon.inc ${UNIVERSE_ICON_FILES}
  COMMAND universe-install-files ${CMAKE_CURRENT_BINARY_DIR} ${UNIVERSE_ICON_SOURCE} ${UNIVERSE_ICON_SIZES}
  DEPENDS universe-install-files ${UNIVERSE_ICON_SOURCE}
  COMMENT "Desktop entry and icons")
add_custom_target(universe_install_files ALL
  DEPENDS ${CMAKE_CURRENT_BINARY_DIR}/universo3d.desktop ${CMAKE_CURRENT_BINARY_DIR}/window_icon.inc
          ${UNIVERSE_ICON_FILES})

# Tools that link the same library.
# What universe-snapshot and universe-bench share that needs no window.
add_library(universe_tool_logic STATIC
  tools/cli_args.cpp
  tools/frame_stats.cpp
  tools/gallery.cpp
  tools/numbered_files.cpp
  tools/snapshot_args.cpp
)
target_link_libraries(universe_tool_logic PUBLIC universe_core universe_install_logic)
target_include_directories(universe_tool_logic PUBLIC ${CMAKE_CURRENT_SOURCE_DIR}/tools)

# The frame window and the swap seam: each tool links with glutSwapBuffers
# wrapped, so that the frame can be read as the scene presents it; the seam
# also records the swap in a frame's list of calls (web/calls/).
add_library(universe_frames OBJECT tools/frame_window.cpp tools/swap_capture.cpp
  web/calls/call_recorder.cpp)
target_link_libraries(universe_frames PUBLIC universe_tool_logic universe_png X11::X11)

# For --calls, universe-snapshot records the last frame's calls through the
# wrappers of web/calls/, with every call of their list wrapped.
include(${CMAKE_CURRENT_SOURCE_DIR}/web/sources.cmake)
add_executable(universe-snapshot tools/snapshot.cpp web/calls/call_wrappers.cpp)
target_link_libraries(universe-snapshot PRIVATE universe_frames)
target_link_options(universe-snapshot PRIVATE ${UNIVERSE_CALL_WRAPS})

add_executable(universe-bench tools/bench.cpp tools/quadric_count.cpp)
target_link_libraries(universe-bench PRIVATE universe_frames)
target_link_options(universe-bench PRIVATE -Wl,--wrap=glutSwapBuffers
  -Wl,--wrap=gluNewQuadric -Wl,--wrap=gluDeleteQuadric)

# The tests need GoogleTest and the X test extension (scripts/test installs
# both); without them the viewer and the tools still build.
include(CTest)
if(BUILD_TESTING)
  find_package(GTest QUIET)
  if(GTest_FOUND AND X11_Xtst_FOUND)
    add_subdirectory(tests)
  else()
    message(STATUS "GoogleTest or libXtst not found: the tests are not built (scripts/test installs them)")
  endif()
endif()
