# Debian packages that building and testing Morrowlark needs, and the step that installs
# the missing ones. Sourced by tools/run and tools/test.

# What building and running the Linux program needs (tools/run): the compiler and the
# headers of the libraries it opens.
ML_NATIVE_PACKAGES=(
    g++ cmake ninja-build pkg-config
    libx11-dev libxtst-dev libxext-dev
    libxinerama-dev # where the monitors lie; libXinerama is opened with dlopen
    libpng-dev # PNG captures; libpng is opened with dlopen at the first one
    libopencc-dev libopencc-data # libopencc-data holds t2s.json, the conversion table
    libatspi2.0-dev # controls by name on the accessibility bus; libatspi is opened with dlopen
    # the Wayland desktop: wayland-scanner and the core protocol (libwayland-dev pulls
    # in libwayland-bin) and the xkbcommon headers; both libraries are opened with dlopen
    libwayland-dev libxkbcommon-dev
)

# Everything for building and testing (tools/test).
ML_PACKAGES=(
    "${ML_NATIVE_PACKAGES[@]}"
    libgtest-dev libbenchmark-dev
    # Windows builds
    g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix
    # running the 64-bit Windows program: wine64 alone has no `wine` or `wineboot` command
    wine64 wine
    # a display for the Wine and desktop tests; xvfb-run needs xauth
    xvfb xauth
    # a nested X server whose +xinerama places two monitors side by side, as Xvfb's
    # own does not (it puts every head at 0,0)
    xserver-xephyr
    # real programs that the desk module's desktop tests drive (xcalc and xlogo are in
    # x11-apps, xmessage in x11-utils), a window manager to drive them under, xwininfo,
    # the reader of the calculator's selection, and Pillow to open the PNG captures
    xterm x11-apps twm x11-utils xclip python3-pil
    # the Debian package's checks (tests/packages/check-packages)
    lintian
    # the editor extension's tests and its .vsix: node runs them, and npm (which
    # NodeSource's nodejs brings, and tools/lib/npm.sh adds where it is missing)
    # installs the npm packages they need
    nodejs
    # vim, to try the settings README.md gives it for --check
    vim
    # the shell twins of the cookbook's desktop tasks: xdotool drives the windows, and
    # netpbm turns xwd's window dumps into PNG files
    xdotool netpbm
    # GTK dialogs whose controls the desk module finds by name, on an accessibility bus
    # of the test's own: zenity, the bus (at-spi2-core) and GTK's bridge to it, and the
    # session bus that starts it (dbus-run-session)
    zenity at-spi2-core libatk-bridge2.0-0 dbus-daemon dbus-bin
    # the Wayland desktop test: a headless sway, a native terminal and GTK dialog to
    # drive under it, and grim, whose picture of the screen a capture must equal
    sway foot zenity grim
)

# Running the 32-bit Windows program. These come from Debian's i386 architecture, which
# is added when it is missing. Where they cannot be installed the rest still builds and
# tests, and the tests of the 32-bit program report themselves skipped.
ML_I386_PACKAGES=(wine32:i386)

# Prints the packages among the arguments that are not installed.
ml_missing_packages() {
    local package status
    for package in "$@"; do
        status=$(dpkg-query -W -f='${db:Status-Abbrev}' "$package" 2>/dev/null) || status=
        [[ $status == ii* ]] || echo "$package"
    done
}

ml_has_i386() {
    [[ $(dpkg --print-architecture) == i386 ]] || dpkg --print-foreign-architectures | grep -qx i386
}

# Installs what is missing when run as root; otherwise prints the commands, and fails
# unless only the i386 packages are missing. With the argument "native", only what the
# Linux program needs.
ml_ensure_packages() {
    local missing missing_i386=()
    if [[ ${1:-} == native ]]; then
        mapfile -t missing < <(ml_missing_packages "${ML_NATIVE_PACKAGES[@]}")
    else
        mapfile -t missing < <(ml_missing_packages "${ML_PACKAGES[@]}")
        mapfile -t missing_i386 < <(ml_missing_packages "${ML_I386_PACKAGES[@]}")
    fi
    local all=("${missing[@]}" "${missing_i386[@]}")
    [[ ${#all[@]} -eq 0 ]] && return 0

    local add_i386=()
    [[ ${#missing_i386[@]} -ne 0 ]] && ! ml_has_i386 && add_i386=(dpkg --add-architecture i386)
    # Recommends stay out: they add some hundred megabytes of sound, video and GPU
    # libraries that neither the compilers nor a Wine console program use.
    local install=(apt-get install -y --no-install-recommends)
    if [[ $(id -u) -ne 0 ]]; then
        echo "Missing packages: ${all[*]}" >&2
        echo "Install them as root with:" >&2
        [[ ${#add_i386[@]} -ne 0 ]] && echo "  ${add_i386[*]}" >&2
        echo "  apt-get update && DEBIAN_FRONTEND=noninteractive ${install[*]} ${all[*]}" >&2
        [[ ${#missing[@]} -eq 0 ]] || exit 1
        echo "Until then the 32-bit Windows program's tests are skipped." >&2
        return 0
    fi
    echo "Installing: ${all[*]}"
    if [[ ${#add_i386[@]} -ne 0 ]]; then
        "${add_i386[@]}" || echo "could not add the i386 architecture" >&2
    fi
    apt-get update
    if [[ ${#missing[@]} -ne 0 ]]; then
        DEBIAN_FRONTEND=noninteractive "${install[@]}" "${missing[@]}"
    fi
    if [[ ${#missing_i386[@]} -ne 0 ]] &&
        ! DEBIAN_FRONTEND=noninteractive "${install[@]}" "${missing_i386[@]}"; then
        echo "could not install ${missing_i386[*]}: the 32-bit Windows program's tests" \
            "will be skipped" >&2
    fi
}
