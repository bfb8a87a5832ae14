# What the runners that drive real programs from Debian on a private Xvfb display
# (run-program-test, run-readme-test) share. Sourced; SCRIPT_DIR, MORROWLARK and WORK
# are set by the runner first.

skip() {
    echo "SKIPPED: $*"
    exit 77
}

# Skips the test unless every tool named is installed.
need_tools() {
    local tool
    for tool in "$@"; do
        command -v "$tool" >/dev/null || skip "$tool is not installed"
    done
}

# Runs the runner again (its path and arguments given) on a display of its own, unless
# it already is on one. Other displays may come and go beside this one: a number from a
# wide range keeps two servers from taking the same one; the server must not reset (and
# refuse connections) whenever its last client leaves.
on_private_display() {
    [[ ${ML_DESKTOP_DISPLAY:-} == private ]] && return
    ML_DESKTOP_DISPLAY=private exec xvfb-run -a -n $((100 + RANDOM % 800)) \
        -s "-screen 0 1280x1024x24 -br -noreset" "$@"
}

# Waits up to ten seconds for the condition (a command) to hold.
poll() {
    local tries
    for ((tries = 0; tries < 200; tries++)); do
        "$@" && return 0
        sleep 0.05
    done
    return 1
}

# Waits up to ten seconds until the window titled as given is on the screen and its
# size has held still for one more look: a script started then finds it laid out as it
# stays, and input for it reaches it.
settled() {
    local tries size last=""
    for ((tries = 0; tries < 200; tries++)); do
        size=$(xwininfo -name "$1" 2>/dev/null |
            awk '/Map State:/ { viewable = $3 == "IsViewable" } /Width:/ { w = $2 } /Height:/ { h = $2 }
                 END { if (viewable) print w "x" h }')
        [[ -n $size && $size == "$last" ]] && return 0
        last=$size
        sleep 0.05
    done
    echo "$1 did not settle on the screen"
    return 1
}

# A fresh work directory to run in, the programs started there ended with the runner,
# and a display that takes connections (a client may come before the new server does).
start_work() {
    rm -rf "$WORK" && mkdir -p "$WORK" && cd "$WORK" || exit 1
    export LANG=C.UTF-8 LC_ALL=C.UTF-8
    started=()
    trap end_started EXIT
    poll eval "xwininfo -root >/dev/null 2>&1" || echo "the display did not come up"
}

end_started() {
    local pid
    for pid in "${started[@]}"; do kill "$pid" 2>/dev/null; done
    wait 2>/dev/null
}

# Starts twm, and waits until it has taken charge of the root window, which it has once
# it has made windows of its own. twm builds its fonts for the locale; the C locale needs
# no more than Xvfb has.
start_twm() {
    LC_ALL=C twm -f "$SCRIPT_DIR/twmrc" 2>twm.stderr &
    started+=($!)
    poll eval "xwininfo -root -children | grep -q '^ *0x'" || echo "twm did not start"
}

# Runs a script (a path) and prints what it printed after the banner.
# Runs the script (and the words after it, for the script) with the program under test.
run_script() {
    local name
    name=$(basename "$1")
    timeout -k 5 60 "$MORROWLARK" "$@" </dev/null >"$name.stdout" 2>"$name.stderr" ||
        echo "$name exited with status $?"
    tr -d '\r' <"$name.stdout" | sed -E '0,/^Run  : /d' | sed '1{/^$/d}'
}

# Waits for a program to end; it is killed after ten seconds.
ended() {
    poll eval "! kill -0 $1 2>/dev/null" && echo "$2 ended" || echo "$2 still running"
}

# Compares what the runner wrote to `actual` with the expected file.
compare_with() {
    if ! diff -a -u --label "$1 (expected)" --label "actual" "$1" actual; then
        echo "FAIL: the output differs (work directory: $WORK)"
        exit 1
    fi
}

# Two monitors side by side: a nested X server (Xephyr) whose two heads Xinerama joins,
# 1280 x 800 at 0,0 and 1024 x 768 at 1280,0, on the display in use (Xvfb's own
# +xinerama would put both heads at 0,0). It takes a display number of its own, written
# to its standard output once it takes connections, and becomes the display.
start_two_heads() {
    # Made here, before the server's shell opens it, so the poll never reads a file
    # that is not there yet.
    : >xephyr.display
    Xephyr -displayfd 1 -nolisten tcp -br -noreset +xinerama -screen 1280x800 -screen 1024x768 \
        >xephyr.display 2>xephyr.stderr &
    started+=($!)
    poll eval '[[ $(wc -l <xephyr.display) -ge 1 ]]' || { echo "Xephyr did not start"; return 1; }
    export DISPLAY=":$(head -n 1 xephyr.display)"
}

# The width x height of a picture file.
picture_size() {
    /usr/bin/python3 -c 'import sys; from PIL import Image; print("%dx%d" % Image.open(sys.argv[1]).size)' "$1"
}

# The red, green and blue of the picture's pixel at x, y.
pixel_at() {
    /usr/bin/python3 -c 'import sys; from PIL import Image
print(*Image.open(sys.argv[1]).convert("RGB").getpixel((int(sys.argv[2]), int(sys.argv[3]))))' "$@"
}
