#!/usr/bin/env bash
# A school's system-wide install, used by a pupil: installs the build with
# "cmake --install" into a new prefix that the pupil cannot write (owned by root
# when the test runs as root), starts the installed program as an unprivileged
# user in a virtual X display, and saves a project through File > Save as by
# typing only a name, without touching the dialog's folder. The project must land
# in the pupil's documents folder, with no message on the way.
#
#   tests/e2e/e2e_system_install.sh BUILD [OUT]
# BUILD: the CMake build folder; OUT: screenshots and the program's output
# (default a new temp folder).
#
# Run as root, the pupil is the user "trevane-pupil" (made with useradd when it
# does not exist, and removed again); run as anyone else, that user is the pupil
# and the installed tree is made read-only instead.
#
# Exit status: 0 passed; 1 a step failed; 2 bad arguments; 77 Xvfb, xdotool,
# ImageMagick or setpriv is not installed (the test is skipped).
set -uo pipefail

build=${1:?usage: e2e_system_install.sh BUILD [OUT]}
out=${2:-$(mktemp -d /tmp/trevane-e2e-install.XXXXXX)}
for tool in Xvfb xdotool import setpriv cmake; do
    command -v "$tool" >/dev/null || { echo "e2e-install: $tool is not installed; skipped" >&2; exit 77; }
done
[[ -f $build/CMakeCache.txt ]] || { echo "e2e-install: $build is no CMake build folder" >&2; exit 2; }
mkdir -p "$out" || exit 2
rm -f "$out"/*.png "$out"/trevane.log "$out"/install.log "$out"/xvfb.log
wait_s=${E2E_TIMEOUT:-30}

work=$(mktemp -d /tmp/trevane-e2e-sys.XXXXXX)
chmod 755 "$work"
prefix=$work/usr
pupil_home=$work/home
made_user=
xvfb_pid=
app_pid=
match_pid=  # the program runs as another user, under runuser: any window will do
source "$(dirname "$0")/xvfb_lib.sh"
cleanup() {
    chmod -R u+w "$work" 2>/dev/null
    end_session
    [[ -n $made_user ]] && userdel "$made_user" 2>/dev/null
}
trap cleanup EXIT
fail() {
    echo "e2e-install: $*" >&2
    import -window root "$out/failed.png" 2>/dev/null
    echo "e2e-install: last lines of the program's output ($out/trevane.log):" >&2
    tail -n 20 "$out/trevane.log" >&2
    exit 1
}

# ---------------------------------------------------------------- install
cmake --install "$build" --prefix "$prefix" >"$out/install.log" 2>&1 || {
    tail -n 20 "$out/install.log" >&2
    fail "cmake --install failed"
}
[[ -x $prefix/bin/trevane ]] || fail "no program at $prefix/bin/trevane after the install"
grep -qx 'dir=none' "$prefix/lib/trevane/QEL.ini" || fail "the installed QEL.ini does not say dir=none"

# ---------------------------------------------------------------- the pupil
if [[ $(id -u) -eq 0 ]]; then
    pupil=trevane-pupil
    if ! id "$pupil" >/dev/null 2>&1; then
        useradd --system --no-create-home --shell /usr/sbin/nologin "$pupil" || fail "useradd failed"
        made_user=$pupil
    fi
    as_pupil=(setpriv --reuid="$(id -u "$pupil")" --regid="$(id -g "$pupil")" --init-groups --)
else
    pupil=$(id -un)
    chmod -R a-w "$prefix"
    as_pupil=()
fi
mkdir -p "$pupil_home/Documents" "$pupil_home/run"
chmod 700 "$pupil_home/run"
[[ $(id -u) -eq 0 ]] && chown -R "$pupil:" "$pupil_home"
"${as_pupil[@]}" test -w "$prefix/lib/trevane" && fail "the pupil may write the program folder"

# ---------------------------------------------------------------- display
start_xvfb || fail "Xvfb did not start"
unset XAUTHORITY

# ---------------------------------------------------------------- program
# Started from "/", as a desktop entry would: nothing may depend on the folder
# the program is started from.
# A sanitizer build keeps its options; the pupil gets a readable copy of the
# leak suppressions, since the source tree may be closed to other users.
sanitizer_env=()
for v in ASAN_OPTIONS UBSAN_OPTIONS; do
    if [[ -n "${!v:-}" ]]; then sanitizer_env+=("$v=${!v}"); fi
done
if [[ -n "${LSAN_OPTIONS:-}" ]]; then
    cp "$(dirname "$0")/../sanitizers/lsan.supp" "$pupil_home/lsan.supp"
    chmod 644 "$pupil_home/lsan.supp"
    sanitizer_env+=("LSAN_OPTIONS=suppressions=$pupil_home/lsan.supp")
fi
(cd / && exec env -i PATH=/usr/bin:/bin DISPLAY="$DISPLAY" HOME="$pupil_home" USER="$pupil" \
    XDG_CONFIG_HOME="$pupil_home/.config" XDG_RUNTIME_DIR="$pupil_home/run" QT_QPA_PLATFORM=xcb \
    ${sanitizer_env[@]+"${sanitizer_env[@]}"} "${as_pupil[@]}" "$prefix/bin/trevane") >"$out/trevane.log" 2>&1 &
app_pid=$!

alive() { kill -0 "$app_pid" 2>/dev/null || fail "the program has gone"; }
# The number of visible windows with a title (the main window, dialogs, boxes).
shown() { xdotool search --all --onlyvisible --name '.' 2>/dev/null | wc -l; }

wait_window '^Trevane \[untitled\.prj\]'
main=$found
# The splash goes a second after the main window shows; nothing else may stay
# (a message about the settings would).
others() { xdotool search --onlyvisible --name '.' getwindowname %@ 2>/dev/null | grep -v '^Trevane \[' | tr '\n' ' '; }
for _ in $(seq $((wait_s * 10))); do
    [[ $(shown) -le 1 ]] && break
    sleep 0.1
done
[[ $(shown) -le 1 ]] || fail "a window besides the main window stays after start-up: $(others)"
import -window root "$out/01-started.png"

keys "$main" alt+f Down Down Down Return  # File > Save as ..
wait_window '^Save as'
dialog=$found
import -window root "$out/02-save-as.png"
keys "$dialog" ctrl+a
timeout 5 xdotool type --clearmodifiers --delay 30 "mywork"
keys "$dialog" Return
wait_window '^Trevane \[mywork\.prj\]'
import -window root "$out/03-saved.png"
[[ $(shown) -le 1 ]] || fail "a message came after Save as: $(others)"

saved=$pupil_home/Documents/mywork.prj
[[ -s $saved ]] || fail "no project in the pupil's documents folder ($(find "$work" -name 'mywork*' 2>/dev/null))"
[[ $(stat -c %U "$saved") == "$pupil" ]] || fail "the project belongs to $(stat -c %U "$saved"), not to $pupil"
[[ $(head -c 7 "$saved" | tail -c 3) == PRJ ]] || fail "the saved file is no project"
[[ -z $(find "$prefix" -newer "$out/install.log" -type f 2>/dev/null) ]] || fail "something was written into the install"

# The project was just saved: Exit asks only "Exit program".
keys "$main" alt+f Down Down Down Down Return
wait_window '^Confirm'
keys "$found" Return
wait_exit Exit
echo "e2e-install: the installed program, run by $pupil, saved $saved; screenshots in $out"
