# The browser build: the viewer's sources over the browser platform in web/,
# whose GL/gl.h, GL/glu.h and GL/freeglut.h stand in for the system's. The
# viewer alone, as universe.js and universe.wasm; the page around it is
# web/page/, and scripts/build-web makes the site.

if(NOT CMAKE_BUILD_TYPE)
  set(CMAKE_BUILD_TYPE Release)
endif()
set(CMAKE_CXX_FLAGS_RELEASE "-O2 -DNDEBUG")

add_subdirectory(web)
target_sources(universe_core PRIVATE app/platform_web.cpp)
target_link_libraries(universe_core PUBLIC universe_web)

# app/web_main.cpp: the entry point of the page.
add_executable(universe app/web_main.cpp)
target_link_libraries(universe PRIVATE universe_core)
set_property(TARGET universe APPEND PROPERTY LINK_DEPENDS ${UNIVERSE_WEB_JS_LIBRARIES})
