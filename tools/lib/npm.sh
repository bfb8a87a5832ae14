# shellcheck shell=bash
# The npm packages of the editor extension (editors/vscode): the grammar engine its
# tests tokenize with, and the packer of its .vsix, at the versions its
# package-lock.json pins. Sourced by tools/test and tools/package.

ML_EDITOR_SOURCE=$(cd "$(dirname "${BASH_SOURCE[0]}")/../../editors/vscode" && pwd)

# Installs them into DIR/node_modules, a build folder, so that the source tree stays
# as it is. DIR/installed-lock.json records what was installed, and is written only
# once the install succeeded: the tests compare it with the pinned lock, and refuse
# to run on packages that are missing, half installed or of other versions. Fails
# when npm cannot install them.
ml_install_npm_packages() {
    local dir=$1
    local lock=$ML_EDITOR_SOURCE/package-lock.json
    cmp -s "$lock" "$dir/installed-lock.json" && return 0
    if ! command -v npm >/dev/null; then
        # NodeSource's nodejs brings npm with it; Debian's has it in a package apart.
        if [[ $(id -u) -eq 0 ]]; then
            DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends npm || return 1
        else
            echo "npm is missing: install it as root with: apt-get install npm" >&2
            return 1
        fi
    fi
    echo "=== npm packages of the editor extension into $dir"
    rm -rf "$dir" && mkdir -p "$dir" &&
        cp "$ML_EDITOR_SOURCE/package.json" "$lock" "$dir/" &&
        (cd "$dir" && npm ci --no-audit --no-fund --loglevel=error) &&
        cp "$lock" "$dir/installed-lock.json"
}
