# Shared by the end-to-end scripts that run a program in a virtual X display.
# Source it; it uses $work (a scratch folder), $out (where logs go) and $wait_s,
# and the script's own alive (is the program still running?) and fail.

# Ends process $1: politely, then (a hung or stopped process) for good.
end_process() {
    local _
    kill "$1" 2>/dev/null || return
    for _ in $(seq 30); do
        kill -0 "$1" 2>/dev/null || break
        sleep 0.1
    done
    kill -KILL "$1" 2>/dev/null
    wait "$1" 2>/dev/null
}

# Starts Xvfb on a display it picks itself (it writes the number once it accepts
# clients, so parallel runs and a developer's own display never clash), sets
# xvfb_pid and exports DISPLAY. Returns 1, with Xvfb's log on stderr, when it
# does not come up.
start_xvfb() {
    local _
    Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp 3>"$work/display" >"$out/xvfb.log" 2>&1 &
    xvfb_pid=$!
    for _ in $(seq $((wait_s * 10))); do
        [[ -s $work/display ]] && break
        kill -0 "$xvfb_pid" 2>/dev/null || break
        sleep 0.1
    done
    if [[ ! -s $work/display ]]; then
        echo "Xvfb did not report its display:" >&2
        cat "$out/xvfb.log" >&2
        return 1
    fi
    DISPLAY=:$(tr -dc '0-9' <"$work/display")
    export DISPLAY
}

# A clean Qt session for the program: its own home, settings and runtime folder,
# none of the developer's style, scaling or platform settings.
use_clean_session() {
    unset XAUTHORITY QT_QPA_PLATFORMTHEME QT_STYLE_OVERRIDE QT_SCALE_FACTOR QT_SCREEN_SCALE_FACTORS QT_FONT_DPI
    mkdir -m 700 "$work/run"
    export HOME=$work XDG_CONFIG_HOME=$work/.config XDG_RUNTIME_DIR=$work/run QT_QPA_PLATFORM=xcb
}

# Waits for a visible window whose title matches $1 (of process $app_pid, unless
# the script sets match_pid, empty for any process); its id is left in $found.
wait_window() {
    alive
    local pid=${match_pid-$app_pid}
    found=$(timeout "$wait_s" xdotool search --sync --all --onlyvisible ${pid:+--pid "$pid"} --name "$1" \
        2>/dev/null | head -n 1)
    [[ -n $found ]] || { alive; fail "no window \"$1\" within ${wait_s}s (hang or missing window)"; }
}

focus() {
    timeout 5 xdotool windowfocus --sync "$1" 2>/dev/null || timeout 5 xdotool windowfocus "$1" 2>/dev/null
}
# Keys for window $1. Focus goes back to the root window whenever a dialog
# closes, so it is given every time.
keys() {
    local win=$1
    shift
    alive
    focus "$win"
    xdotool key --clearmodifiers --delay 80 "$@"
}
type_text() {
    alive
    focus "$1"
    xdotool type --clearmodifiers --delay 30 "$2"
}

# Waits until the program ($app_pid) ends by itself ($1 says after what), and
# fails unless it ended with status 0.
wait_exit() {
    local _ rc
    for _ in $(seq $((wait_s * 10))); do
        kill -0 "$app_pid" 2>/dev/null || break
        sleep 0.1
    done
    kill -0 "$app_pid" 2>/dev/null && fail "the program did not end after $1"
    wait "$app_pid"
    rc=$?
    app_pid=
    [[ $rc -eq 0 ]] || fail "the program ended with status $rc"
}

# Ends the program and Xvfb if they still run, and removes $work.
end_session() {
    [[ -n $app_pid ]] && end_process "$app_pid"
    [[ -n $xvfb_pid ]] && end_process "$xvfb_pid"
    rm -rf "$work"
}
