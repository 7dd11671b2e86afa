# The Windows build (scripts/build-windows, with the toolchain file
# cmake/mingw-w64-x86_64.cmake): freeglut built as a static library, found
# through its CMake package (FreeGLUT_DIR); GL and GLU are the system's.

if(NOT CMAKE_BUILD_TYPE)
  set(CMAKE_BUILD_TYPE RelWithDebInfo)
endif()

find_package(OpenGL REQUIRED)
find_package(FreeGLUT CONFIG REQUIRED)
target_sources(universe_core PRIVATE app/platform_windows.cpp)
target_link_libraries(universe_core PUBLIC FreeGLUT::freeglut_static OpenGL::GLU OpenGL::GL)

# The viewer alone: a GUI program (no console window) linked statically with
# the C++ runtime, so that it needs no DLL beyond the system's.
# app/menu_paint.cpp works around a GLX driver's window sizing and is not
# needed here. The tools and the tests read and drive X11 windows and stay
# on Linux.
add_executable(universe WIN32 app/main.cpp)
target_link_libraries(universe PRIVATE universe_core)
target_link_options(universe PRIVATE -static)
