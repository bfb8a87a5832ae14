# What `cmake --install` puts where, and the packages CPack makes of it (tools/package):
#   Linux:   a Debian package of morrowlark64 in /usr/bin, the documents and examples in
#            /usr/share/doc/morrowlark, and what Debian asks of every package beside them
#            (cmake/debian/debian.cmake)
#   Windows: a zip of both programs beside README.md, docs/ and examples/; the 64-bit
#            build packs the 32-bit program named by ML_WIN32_EXE when it has been built

set(ML_DOCUMENTS "${PROJECT_SOURCE_DIR}/README.md" "${PROJECT_SOURCE_DIR}/docs/reference.md"
                 "${PROJECT_SOURCE_DIR}/docs/cookbook.md" "${PROJECT_SOURCE_DIR}/docs/architecture.md")
list(FILTER ML_DOCUMENTS INCLUDE REGEX ".")
set(CPACK_PACKAGE_NAME morrowlark)
set(CPACK_PACKAGE_VENDOR "Morrowlark")
set(CPACK_PACKAGE_VERSION "${PROJECT_VERSION}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Scripting language for desktop automation")
set(CPACK_PACKAGE_CONTACT "Morrowlark developers <developers@morrowlark.invalid>")
set(CPACK_OUTPUT_FILE_PREFIX "${PROJECT_BINARY_DIR}/packages")

if(WIN32)
  install(TARGETS morrowlark RUNTIME DESTINATION .)
  if(ML_BITS EQUAL 64 AND EXISTS "${ML_WIN32_EXE}")
    install(PROGRAMS "${ML_WIN32_EXE}" DESTINATION .)
  endif()
  foreach(document IN LISTS ML_DOCUMENTS)
    if(EXISTS "${document}")
      get_filename_component(name "${document}" NAME)
      set(folder docs)
      if(name STREQUAL "README.md")
        set(folder .)
      endif()
      install(FILES "${document}" DESTINATION ${folder})
    endif()
  endforeach()
  install(DIRECTORY "${PROJECT_SOURCE_DIR}/examples/" DESTINATION examples)
  set(CPACK_GENERATOR ZIP)
  set(CPACK_PACKAGE_FILE_NAME "morrowlark-${PROJECT_VERSION}-windows")
  set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY ON)
else()
  install(TARGETS morrowlark RUNTIME DESTINATION bin)
  foreach(document IN LISTS ML_DOCUMENTS)
    if(EXISTS "${document}")
      install(FILES "${document}" DESTINATION share/doc/morrowlark)
    endif()
  endforeach()
  install(DIRECTORY "${PROJECT_SOURCE_DIR}/examples/" DESTINATION share/doc/morrowlark/examples)
  include("${CMAKE_CURRENT_LIST_DIR}/debian/debian.cmake")
  set(CPACK_GENERATOR DEB)
  set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
  set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
  set(CPACK_DEBIAN_PACKAGE_SECTION utils)
  # The X libraries, libpng and OpenCC are opened with dlopen, which dpkg-shlibdeps
  # cannot see, so every runtime package is named here: the C library; Xlib, XTest
  # (synthesised input), Xext (MIT-SHM screen reads) and Xinerama (where the monitors
  # lie); libpng (PNG captures); OpenCC
  # and its conversion tables. A library
  # the program comes to load is added to this list.
  set(ML_DEB_DEPENDS
      "libc6 (>= 2.36)"
      libx11-6
      libxtst6
      libxext6
      libxinerama1
      libpng16-16
      libopencc1.1
      libopencc-data
      # controls found by name on the accessibility bus
      libatspi2.0-0)
  list(JOIN ML_DEB_DEPENDS ", " CPACK_DEBIAN_PACKAGE_DEPENDS)
  # The Wayland libraries, opened with dlopen too, serve Wayland desktops only: the
  # program drives X11 and runs every other script without them.
  set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "libwayland-client0, libxkbcommon0")
endif()

include(CPack)
