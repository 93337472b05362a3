# Shared by the end-to-end scripts that run a program in a virtual X display.
# Source it; it uses $work (a scratch folder), $out (where logs go) and $wait_s.

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
