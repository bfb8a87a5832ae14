# Debian packages that building and testing Morrowlark needs, and the step that installs
# the missing ones. Sourced by tools/run and tools/test.

ML_PACKAGES=(
    # native build and its libraries
    g++ cmake ninja-build pkg-config
    libx11-dev libxtst-dev libxext-dev
    libopencc-dev libopencc-data # libopencc-data holds t2s.json, the conversion table
    libgtest-dev libbenchmark-dev
    # Windows builds
    g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix
    # running the 64-bit Windows program: wine64 alone has no `wine` or `wineboot` command
    wine64 wine
    # a display for the Wine and desktop tests; xvfb-run needs xauth
    xvfb xauth
)

# Prints the packages of ML_PACKAGES that are not installed.
ml_missing_packages() {
    local package status
    for package in "${ML_PACKAGES[@]}"; do
        status=$(dpkg-query -W -f='${db:Status-Abbrev}' "$package" 2>/dev/null) || status=
        [[ $status == ii* ]] || echo "$package"
    done
}

# Installs what is missing when run as root; otherwise prints the command and fails.
ml_ensure_packages() {
    local missing
    mapfile -t missing < <(ml_missing_packages)
    [[ ${#missing[@]} -eq 0 ]] && return 0

    # Recommends stay out: they add some hundred megabytes of sound, video and GPU
    # libraries that neither the compilers nor a Wine console program use.
    local install=(apt-get install -y --no-install-recommends "${missing[@]}")
    if [[ $(id -u) -ne 0 ]]; then
        echo "Missing packages: ${missing[*]}" >&2
        echo "Install them as root with:" >&2
        echo "  apt-get update && DEBIAN_FRONTEND=noninteractive ${install[*]}" >&2
        exit 1
    fi
    echo "Installing: ${missing[*]}"
    apt-get update
    DEBIAN_FRONTEND=noninteractive "${install[@]}"
}
