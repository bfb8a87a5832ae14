# The Wayland protocol code of the Linux desktop, generated at build time by
# wayland-scanner. The core protocol and the Wayland and xkbcommon headers come from
# Debian's libwayland-dev and libxkbcommon-dev; the wlroots protocols, which Debian
# does not package, are kept in the tree as published. Both libraries are opened with
# dlopen at the first use of a Wayland desktop: only their headers are needed here.

enable_language(C)
find_program(ML_WAYLAND_SCANNER wayland-scanner REQUIRED)
pkg_check_modules(WAYLAND REQUIRED wayland-client xkbcommon)
pkg_get_variable(ML_WAYLAND_DATA wayland-scanner pkgdatadir)
if(NOT ML_WAYLAND_DATA)
  set(ML_WAYLAND_DATA /usr/share/wayland)
endif()

set(ML_WAYLAND_OUT "${PROJECT_BINARY_DIR}/wayland")
file(MAKE_DIRECTORY "${ML_WAYLAND_OUT}")
file(GLOB ML_WAYLAND_PROTOCOLS CONFIGURE_DEPENDS
     "${PROJECT_SOURCE_DIR}/src/platform/posix/wayland_protocols/*.xml")

# The core protocol's interfaces are defined here too, not taken from the library: its
# data symbols cannot be reached through dlsym by the generated code.
set(ML_WAYLAND_CODE "${ML_WAYLAND_OUT}/wayland-protocol.c")
add_custom_command(OUTPUT "${ML_WAYLAND_CODE}"
  COMMAND "${ML_WAYLAND_SCANNER}" private-code "${ML_WAYLAND_DATA}/wayland.xml" "${ML_WAYLAND_CODE}"
  DEPENDS "${ML_WAYLAND_DATA}/wayland.xml" VERBATIM)
set(ML_WAYLAND_SOURCES "${ML_WAYLAND_CODE}")
foreach(xml IN LISTS ML_WAYLAND_PROTOCOLS)
  get_filename_component(name "${xml}" NAME_WE)
  add_custom_command(OUTPUT "${ML_WAYLAND_OUT}/${name}-client-protocol.h" "${ML_WAYLAND_OUT}/${name}-protocol.c"
    COMMAND "${ML_WAYLAND_SCANNER}" client-header "${xml}" "${ML_WAYLAND_OUT}/${name}-client-protocol.h"
    COMMAND "${ML_WAYLAND_SCANNER}" private-code "${xml}" "${ML_WAYLAND_OUT}/${name}-protocol.c"
    DEPENDS "${xml}" VERBATIM)
  list(APPEND ML_WAYLAND_SOURCES "${ML_WAYLAND_OUT}/${name}-client-protocol.h" "${ML_WAYLAND_OUT}/${name}-protocol.c")
endforeach()

target_sources(morrowlark_core PRIVATE ${ML_WAYLAND_SOURCES})
# Public: the tests reach the Linux desktop through headers that include the protocols.
target_include_directories(morrowlark_core PUBLIC "${ML_WAYLAND_OUT}" ${WAYLAND_INCLUDE_DIRS})
