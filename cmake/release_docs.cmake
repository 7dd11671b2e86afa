# What the release ships besides the programs: the manual pages, the
# licence as a Debian copyright file, the Debian changelog made from
# CHANGELOG.md, and a README for the installed files. The version comes
# from project(); the release date from CHANGELOG.md's entry for it.

set(UNIVERSE_PACKAGE_NAME universo3d)
set(UNIVERSE_MAINTAINER "Universo 3D maintainers <maintainers@universo3d.invalid>")
set(UNIVERSE_DOC_DIR ${CMAKE_INSTALL_DATADIR}/doc/${UNIVERSE_PACKAGE_NAME})

set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS
  ${PROJECT_SOURCE_DIR}/CHANGELOG.md ${PROJECT_SOURCE_DIR}/LICENSE)

# The release date: "## [1.1.0] - 2026-12-08" in CHANGELOG.md.
string(REPLACE "." "\\." version_pattern "${PROJECT_VERSION}")
file(STRINGS ${PROJECT_SOURCE_DIR}/CHANGELOG.md release_line
  REGEX "^## \\[${version_pattern}\\] - [0-9][0-9][0-9][0-9]-[0-9][0-9]-[0-9][0-9]$")
if(NOT release_line)
  message(FATAL_ERROR "CHANGELOG.md has no entry '## [${PROJECT_VERSION}] - YYYY-MM-DD'")
endif()
string(REGEX REPLACE ".* - " "" UNIVERSE_RELEASE_DATE "${release_line}")

# The Debian copyright file (machine-readable format) from LICENSE: its
# copyright line, then the licence text as the field's continuation lines.
file(READ ${PROJECT_SOURCE_DIR}/LICENSE license_text)
string(REGEX MATCH "Copyright \\(c\\) ([^\n]+)" copyright_line "${license_text}")
set(copyright_holders "${CMAKE_MATCH_1}")
string(REGEX REPLACE "^[^\n]*\n\n[^\n]*\n\n" "" license_body "${license_text}")
string(REGEX REPLACE "\n+$" "" license_body "${license_body}")
string(REPLACE "\n\n" "\n.\n" license_body "${license_body}")
string(REPLACE "\n" "\n " license_body "${license_body}")
file(WRITE ${CMAKE_CURRENT_BINARY_DIR}/copyright
"Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/
Upstream-Name: Universo 3D
Upstream-Contact: ${UNIVERSE_MAINTAINER}

Files: *
Copyright: ${copyright_holders}
License: Expat
 ${license_body}
")
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/copyright DESTINATION ${UNIVERSE_DOC_DIR})
install(FILES docs/README.package.md DESTINATION ${UNIVERSE_DOC_DIR} RENAME README.md)

# Manual pages and the Debian changelog, compressed as Debian wants them
# (gzip -9, no name or time stamp in the header). Only where gzip and a
# POSIX shell are at hand.
find_program(UNIVERSE_GZIP gzip)
if(UNIX AND UNIVERSE_GZIP)
  set(release_outputs "")
  foreach(page universe.1 universe-snapshot.1 universe-bench.1)
    string(REGEX REPLACE ".*\\." "" section "${page}")
    configure_file(docs/man/${page}.in man/${page} @ONLY)
    add_custom_command(
      OUTPUT man/${page}.gz
      COMMAND ${UNIVERSE_GZIP} -9nkf ${page}
      DEPENDS ${CMAKE_CURRENT_BINARY_DIR}/man/${page}
      WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR}/man
      COMMENT "Manual page ${page}"
      VERBATIM)
    list(APPEND release_outputs ${CMAKE_CURRENT_BINARY_DIR}/man/${page}.gz)
    install(FILES ${CMAKE_CURRENT_BINARY_DIR}/man/${page}.gz
      DESTINATION ${CMAKE_INSTALL_MANDIR}/man${section})
  endforeach()

  add_custom_command(
    OUTPUT changelog.gz
    COMMAND ${PROJECT_SOURCE_DIR}/cmake/debian-changelog ${PROJECT_SOURCE_DIR}/CHANGELOG.md
      ${UNIVERSE_PACKAGE_NAME} ${PROJECT_VERSION} ${UNIVERSE_MAINTAINER}
      ${CMAKE_CURRENT_BINARY_DIR}/changelog.gz
    DEPENDS ${PROJECT_SOURCE_DIR}/CHANGELOG.md ${PROJECT_SOURCE_DIR}/cmake/debian-changelog
    COMMENT "Debian changelog from CHANGELOG.md"
    VERBATIM)
  list(APPEND release_outputs ${CMAKE_CURRENT_BINARY_DIR}/changelog.gz)
  install(FILES ${CMAKE_CURRENT_BINARY_DIR}/changelog.gz DESTINATION ${UNIVERSE_DOC_DIR})

  add_custom_target(universe_release_docs ALL DEPENDS ${release_outputs})
endif()
