#!/usr/bin/env bash
# The staff program in a virtual X display, used as a teacher and a technician
# would, with a screenshot after each step:
#  1. the pupils' program costs a piece of oak;
#  2. a teacher opens higher.mdf in trevane-editor, raises the price of oak,
#     shortens the largest length of the mild steel strip 12 x 3, saves (Ctrl+S)
#     and quits; the saved database holds both changes and the old file is kept
#     as higher.mdf.bak;
#  3. the pupils' program costs the same piece again and shows another cost;
#  4. a technician combines three pupils' projects and a damaged file into a class
#     order, looks at it, exports it as CSV (Ctrl+E) and closes it; the CSV is
#     what "trevane-db order --csv" gives for the same files.
#
#   tests/e2e/editor_e2e.sh BIN [OUT]
# BIN: the folder holding trevane, trevane-editor, trevane-db and their data
# (copied, so the build's databases stay as they are); OUT: screenshots and the
# programs' output (default a new temp folder).
#
# Exit status: 0 all steps passed; 1 a step failed; 2 bad arguments; 77 Xvfb,
# xdotool or ImageMagick is not installed (skipped). There is no window manager:
# windows open at (0, 0); places to click are measured on that screen.
set -uo pipefail

bin=${1:?usage: editor_e2e.sh BIN [OUT]}
out=${2:-$(mktemp -d /tmp/trevane-editor-e2e.XXXXXX)}
for tool in Xvfb xdotool import convert; do
    command -v "$tool" >/dev/null || { echo "editor e2e: $tool is not installed; skipped" >&2; exit 77; }
done
for program in trevane trevane-editor trevane-db; do
    [[ -x $bin/$program ]] || { echo "editor e2e: no program at $bin/$program" >&2; exit 2; }
done
mkdir -p "$out" || exit 2
rm -f "$out"/*.png "$out"/*.log
wait_s=${E2E_TIMEOUT:-30}

declare -A at=(
    [editor.price]="812 281"        # "Price (£ per m³)" of the material shown
    [editor.tree]="57 70"           # the first material of the list
    [editor.stock]="765 58"         # the "Stock" tab
    [editor.length0]="980 103"      # largest length of the first size (12 x 3 [strip])
    [cost.wood]="36 74"
    [wood.length]="171 142" [wood.width]="171 180" [wood.thickness]="171 213"
    [cost.calculate]="128 371"
)

work=$(mktemp -d /tmp/trevane-editor-e2e-home.XXXXXX)
xvfb_pid=
app_pid=
source "$(dirname "$0")/xvfb_lib.sh"
trap end_session EXIT

start_xvfb || { echo "editor e2e: Xvfb did not start" >&2; exit 1; }
use_clean_session

# The program folder: programs, databases, pictures, help.
app=$work/app
mkdir -p "$app"
cp "$bin"/trevane "$bin"/trevane-editor "$bin"/trevane-db "$bin"/higher.mdf "$bin"/lower.mdf "$app"/ || exit 2
cp "$bin"/QEL.hlp "$bin"/QEL.ini "$app"/ 2>/dev/null
[[ -d $bin/pics ]] && cp -r "$bin"/pics "$app"/

step=1
name=start
shot=
fail() {
    echo "editor e2e: step $step ($name) failed: $*" >&2
    import -window root "$out/failed-step-$step-$name.png" 2>/dev/null
    tail -n 20 "$out"/*.log >&2 2>/dev/null
    exit 1
}
alive() { kill -0 "$app_pid" 2>/dev/null || fail "the program has gone"; }
start() {  # start PROGRAM LOG ARGS...
    local program=$1 log=$2
    shift 2
    "$app/$program" "$@" >"$out/$log" 2>&1 &
    app_pid=$!
}
stop() {
    end_process "$app_pid"
    app_pid=
}
click() {
    alive
    local p
    read -ra p <<<"${at[$2]}"
    xdotool mousemove --window "$1" "${p[0]}" "${p[1]}" click "${3:-1}" mousemove 1270 790
}
edit() {  # edit WINDOW PLACE TEXT
    click "$1" "$2"
    keys "$1" ctrl+a
    type_text "$1" "$3"
}
shot() {
    sleep 1
    shot=$out/$(printf '%02d' "$step")-$name.png
    import -window root "$shot" || fail "no screenshot"
}
passed() {
    echo "editor e2e: step $step ($name) ok"
    step=$((step + 1))
}
box() { convert "$shot" -crop "$3x$4+$1+$2" +repage rgb:- 2>/dev/null | cksum; }

# The pupils' program: the cost of a 300 x 50 x 20 mm piece of the first wood (oak).
cost_oak() {
    start trevane "trevane-$name.log"
    wait_window '^Trevane \['
    local main=$found
    sleep 2  # the splash window goes one second after the main window shows
    keys "$main" alt+o Down Down Return
    click "$main" cost.wood
    edit "$main" wood.length 300
    edit "$main" wood.width 50
    edit "$main" wood.thickness 20
    click "$main" cost.calculate
    shot
    cost_box=$(box 118 228 120 20)
    rate_box=$(box 118 98 120 20)
    stop
}

# ---------------------------------------------------------------- steps
name=cost-before
cost_oak
before_cost=$cost_box before_rate=$rate_box
passed

name=teacher-edits
"$app/trevane-db" dump "$app/higher.mdf" >"$work/before.json" || fail "trevane-db dump"
start trevane-editor editor.log "$app/higher.mdf"
wait_window '^Trevane editor'
editor=$found
edit "$editor" editor.price 4400
keys "$editor" Tab
click "$editor" editor.tree
type_text "$editor" "Mild steel"  # the list finds a material by its name typed
click "$editor" editor.stock
click "$editor" editor.length0
click "$editor" editor.length0
sleep 0.3
keys "$editor" ctrl+a
type_text "$editor" 250
keys "$editor" Return
shot
keys "$editor" ctrl+s
sleep 1
shot
keys "$editor" ctrl+q
wait_exit Quit
[[ -s $app/higher.mdf.bak ]] || fail "no backup higher.mdf.bak beside the database"
cmp -s "$app/higher.mdf.bak" "$bin/higher.mdf" || fail "the backup is not the file as it was"
"$app/trevane-db" dump "$app/higher.mdf" >"$work/after.json" || fail "the saved database does not load"
grep -q '"price": 440000' "$work/after.json" || fail "the new price of oak was not saved"
strip_250() { grep -F '"size": "12 x 3 [strip]"' "$1" | grep -c '"max_length": 250'; }
[[ $(strip_250 "$work/after.json") -eq $(($(strip_250 "$work/before.json") + 1)) ]] ||
    fail "the new largest length of the 12 x 3 strip was not saved"
[[ $(diff "$work/before.json" "$work/after.json" | grep -c '^>') -eq 2 ]] || fail "more than the two edits changed"
passed

name=cost-after
cost_oak
[[ $cost_box != "$before_cost" ]] || fail "the cost of the piece did not change (see $shot)"
[[ $rate_box != "$before_rate" ]] || fail "the cost per square metre did not change (see $shot)"
passed

name=class-order
le32() {
    local n=$1
    printf "\\x$(printf %02x $((n & 255)))\\x$(printf %02x $(((n >> 8) & 255)))\\x$(printf %02x $(((n >> 16) & 255)))\\x$(printf %02x $(((n >> 24) & 255)))"
}
cs() { le32 ${#1}; printf '%s' "$1"; }
# project FILE ROW...: each row holds the eight cells of a cutting list row, ';' between them.
project() {
    local file=$1 block= row cells c
    shift
    for row in "$@" ";;;;;;total;0.00"; do
        IFS=';' read -ra cells <<<"$row"
        [[ -n $block ]] && block+=$'\r\n'
        for c in "${cells[@]}"; do block+="$c"$'\t'; done
        for ((c = ${#cells[@]}; c < 8; c++)); do block+=$'\t'; done
    done
    { cs PRJ; cs higher.mdf; le32 -1; le32 0; le32 0; cs ""; le32 $(($# + 1)); cs "$block"; } >"$file"
}
project "$work/Anna.prj" "leg;Scots pine;4;450;45;45;0.86;3.44" "top;MDF;1;600;400;18 (mm);2.21;2.21"
project "$work/Ben.prj" "leg;Scots pine;4;450;45;45;0.86;3.44" "rail;Mild steel;2;300;12 x 3 [strip];;0.26;0.52"
project "$work/Cara.prj" "side;Oak;2;400;150;20;5.28;10.56" "base;MDF;1;600;400;18 (mm);2.21;2.21"
printf 'not a project' >"$work/Dan.prj"
projects=("$work/Anna.prj" "$work/Ben.prj" "$work/Cara.prj" "$work/Dan.prj")
start trevane-editor order.log "$app/higher.mdf" --order "${projects[@]}"
wait_window '^Class order'
order=$found
shot
keys "$order" ctrl+e
wait_window '^Export CSV'
keys "$found" ctrl+a
type_text "$found" "$work/order.csv"
keys "$found" Return
for _ in $(seq $((wait_s * 10))); do
    [[ -s $work/order.csv ]] && break
    sleep 0.1
done
[[ -s $work/order.csv ]] || fail "no CSV was written"
{ printf '\xEF\xBB\xBF'; "$app/trevane-db" order --csv "${projects[@]}" 2>/dev/null; } >"$work/expected.csv"
cmp -s "$work/order.csv" "$work/expected.csv" || fail "the CSV is not the order of the three projects"
grep -q '^Total,,' "$work/order.csv" || fail "the CSV has no total"
grep -q 'Dan.prj: This is not a valid \*.prj project file; left out' "$out/order.log" &&
    fail "the damaged project was reported on the terminal, not in the window"
keys "$order" ctrl+w
sleep 0.5
wait_window '^Trevane editor'
keys "$found" ctrl+q
wait_exit Quit
passed
echo "editor e2e: all $((step - 1)) steps passed; screenshots in $out"
