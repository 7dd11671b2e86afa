# Installation on Linux (cmake --install, and CPack) and the Debian package:
# the viewer and its tools, the desktop entry and the icons, the release
# files of cmake/release_docs.cmake. scripts/package builds the package with
# Debian's hardening flags; scripts/ci-package-and-soak checks it.

include(GNUInstallDirs)
install(TARGETS universe universe-snapshot universe-bench
  RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/universo3d.desktop
  DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
foreach(size ${UNIVERSE_ICON_SIZES})
  install(FILES ${CMAKE_CURRENT_BINARY_DIR}/icons/hicolor/${size}x${size}/apps/universo3d.png
    DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
endforeach()
# Stripping (cmake --install --strip, and CPack) also drops the compiler's
# .comment and .note sections, as Debian's dh_strip does.
install(CODE "
  if(CMAKE_INSTALL_DO_STRIP)
    foreach(program universe universe-snapshot universe-bench)
      execute_process(COMMAND \"${CMAKE_OBJCOPY}\" --remove-section=.comment --remove-section=.note
        \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}/\${program}\")
    endforeach()
  endif()")
include(${CMAKE_CURRENT_LIST_DIR}/release_docs.cmake)

# A Debian package; dpkg-shlibdeps works out the runtime dependencies (GLUT,
# GLU, GL, libpng, X11) from the binaries. The version is the project's: a
# native package.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME ${UNIVERSE_PACKAGE_NAME})
set(CPACK_PACKAGE_VENDOR "Universo 3D")
set(CPACK_PACKAGE_CONTACT "${UNIVERSE_MAINTAINER}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "animated 3D viewer of a small universe")
set(CPACK_PACKAGE_DESCRIPTION [[
Universo 3D shows a sun, planets, a ringed planet with its moons, the
Earth with its Moon, rockets, satellites and an astronaut among lattices
of stars, drawn with OpenGL, GLU and freeglut in one window. A pop-up
menu chooses one of five animated or manually driven scenes and the
display options; the function and arrow keys move the camera, letter
keys turn, push and stretch the objects. Its texts are in Portuguese.

The package also holds universe-snapshot, which draws any screen at any
moment as a PNG picture, and universe-bench, which times the frames of
every screen and runs a soak that watches memory and OpenGL errors.]])
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The tools and a viewer without a display run on a virtual X server.
set(CPACK_DEBIAN_PACKAGE_SUGGESTS xvfb)
set(CPACK_STRIP_FILES ON)
include(CPack)
