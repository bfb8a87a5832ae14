# What Debian asks of a package beside the program and its documents (lintian checks
# it): the copyright file, the package's own changelog, a manual page, a description
# past the one-line summary, and a stripped program. Included by packaging.cmake in the
# Linux build.

set(ML_DEBIAN_SOURCE "${CMAKE_CURRENT_LIST_DIR}")
set(ML_DEBIAN_BUILD "${PROJECT_BINARY_DIR}/debian")
set(ML_MANUAL_PAGE "${PROJECT_SOURCE_DIR}/docs/morrowlark64.1")

# The package's version is the program's with the Debian revision of the changelog's
# latest entry. An entry for another version of the program, or a manual page that
# names another, stops the configure step: a new version needs both brought up to date.
file(STRINGS "${ML_DEBIAN_SOURCE}/changelog" ml_latest_entry LIMIT_COUNT 1)
if(NOT ml_latest_entry MATCHES "^morrowlark \\(([^ ()]+)-([^- ()]+)\\) ")
  message(FATAL_ERROR "cmake/debian/changelog: the first line names no version: ${ml_latest_entry}")
endif()
if(NOT CMAKE_MATCH_1 STREQUAL PROJECT_VERSION)
  message(FATAL_ERROR "cmake/debian/changelog: the latest entry is for ${CMAKE_MATCH_1}, "
                      "the program is ${PROJECT_VERSION}; add an entry for it")
endif()
set(CPACK_DEBIAN_PACKAGE_RELEASE "${CMAKE_MATCH_2}")
file(STRINGS "${ML_MANUAL_PAGE}" ml_manual_title REGEX "^\\.TH " LIMIT_COUNT 1)
if(NOT ml_manual_title MATCHES "\"Morrowlark ${PROJECT_VERSION}\"")
  message(FATAL_ERROR "docs/morrowlark64.1 is not for version ${PROJECT_VERSION}: ${ml_manual_title}")
endif()

# Compressed as hard as gzip can, and without the name and time that would make two
# builds of the same text differ. They are made when CMake configures, and again when
# either source changes, so `cpack` finds them whatever target was built.
find_program(ML_GZIP gzip REQUIRED)
function(ml_debian_gzip source target)
  file(MAKE_DIRECTORY "${ML_DEBIAN_BUILD}")
  execute_process(COMMAND "${ML_GZIP}" -n -9 -c "${source}" OUTPUT_FILE "${ML_DEBIAN_BUILD}/${target}"
                  RESULT_VARIABLE status)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "could not compress ${source}: ${status}")
  endif()
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS "${source}")
endfunction()
ml_debian_gzip("${ML_DEBIAN_SOURCE}/changelog" changelog.Debian.gz)
ml_debian_gzip("${ML_MANUAL_PAGE}" morrowlark64.1.gz)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS "${ML_DEBIAN_SOURCE}/copyright"
             "${ML_DEBIAN_SOURCE}/lintian-overrides")

install(FILES "${ML_DEBIAN_SOURCE}/copyright" "${ML_DEBIAN_BUILD}/changelog.Debian.gz"
        DESTINATION share/doc/morrowlark)
install(FILES "${ML_DEBIAN_BUILD}/morrowlark64.1.gz" DESTINATION share/man/man1)
install(FILES "${ML_DEBIAN_SOURCE}/lintian-overrides" DESTINATION share/lintian/overrides
        RENAME morrowlark)

# Strips what install(TARGETS) installs, the program alone; the programs in the build
# folder, which the tests and a debugger use, keep their symbols.
set(CPACK_STRIP_FILES ON)

# Below the summary (CPACK_PACKAGE_DESCRIPTION_SUMMARY); a blank line separates
# paragraphs, and lintian wants lines of at most 80 characters.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "Morrowlark is a small interpreted language for automating the desktop.
A script finds windows by their titles, clicks and types into them, reads
screen pixels, searches the screen for a picture, captures the screen or a
window to a bitmap or PNG file, talks to the console and to text files, and
calls functions of native libraries.

This package holds morrowlark64, the interpreter for Linux, whose desktop
functions drive an X11 display, with the language reference, a cookbook of
short recipes and a tour of the language to run first.")
