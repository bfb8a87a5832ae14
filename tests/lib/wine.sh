# Running Windows programs of either word size under Wine. Sourced by tests/wine-prefix
# and by the script and desktop test runners.
#
# Debian's Wine has one loader per word size: wine64 (package wine64) and wine (package
# wine32:i386); either hands a program of the other size to the other loader. The `wine`
# command starts the 32-bit loader whenever it is installed, so on a kernel without
# i386 support it fails for 64-bit programs too. The tests start each program with the
# loader of its own word size instead. (ML_WINE_LOADERS may name another folder that
# holds both loaders and wineserver.)
ML_WINE_LOADERS=${ML_WINE_LOADERS:-/usr/lib/wine}

export WINEDEBUG=${WINEDEBUG:--all}
# Stops wineboot from offering to install Mono and Gecko, a dialog that would wait for
# ever with nobody to answer it.
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}

# The loader of Windows programs of word size $1 (32 or 64).
ml_wine_loader() {
    if [[ $1 == 32 ]]; then
        echo "$ML_WINE_LOADERS/wine"
    else
        echo "$ML_WINE_LOADERS/wine64"
    fi
}

# Prints why this machine cannot run Windows programs of word size $1, or nothing when
# it can. The loader is itself a Linux program of that word size, so starting it answers
# both questions: is the package installed, and does the kernel run such code.
ml_wine_cannot_run() {
    local loader output package=wine64
    [[ $1 == 32 ]] && package=wine32:i386
    loader=$(ml_wine_loader "$1")
    if [[ ! -x $loader ]]; then
        echo "$package is not installed (there is no $loader)"
    elif ! output=$("$loader" --version 2>&1 </dev/null); then
        echo "$loader does not start here (no i386 support in the kernel?): ${output//$'\n'/ }"
    fi
}

# The record a test prefix keeps of the word sizes it was made for: one line each,
# "win64 runs" or "win32 cannot run: REASON".
ml_wine_word_sizes() {
    local bits reason
    for bits in 64 32; do
        reason=$(ml_wine_cannot_run "$bits")
        if [[ -z $reason ]]; then
            echo "win$bits runs"
        else
            echo "win$bits cannot run: $reason"
        fi
    done
}

ml_wine_record() {
    echo "${WINEPREFIX:-$HOME/.wine}/.morrowlark-ready"
}

# Prints why programs of word size $1 cannot run in the prefix, or nothing when they
# can. A prefix made by tests/wine-prefix says so in its record; for any other prefix,
# the machine is asked.
ml_wine_refuses() {
    local record
    record=$(ml_wine_record)
    if [[ -f $record ]]; then
        grep -qx "win$1 runs" "$record" ||
            sed -n "s/^win$1 cannot run: //p" "$record" | grep . ||
            echo "the prefix was not made for $1-bit programs"
    else
        ml_wine_cannot_run "$1"
    fi
}
