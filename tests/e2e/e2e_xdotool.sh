#!/usr/bin/env bash
# Drives the real program in a virtual X display and saves a screenshot after
# each step: browse a material; run a woods search with two criteria and show
# the details; cost a piece on each of the four costing tabs and add it to the
# cutting list; save the project, start a new one, open the saved one again;
# preview the search, the cutting list and a material's properties; leave
# through File > Exit.
#
#   tests/e2e/e2e_xdotool.sh BIN [OUT]
# BIN: the folder holding trevane and its data; OUT: screenshots and the
# program's output (default a new temp folder).
#
# Exit status: 0 all steps passed; 1 a step failed (the program crashed, did not
# answer, a window it should show did not appear, an unexpected window stayed
# open or a page did not show what it should); 2 bad arguments; 77 Xvfb,
# xdotool, xprop or ImageMagick is not installed (the test is skipped).
#
# There is no window manager: the main window fills the 1280 x 800 screen at
# (0, 0) and input focus is given with "xdotool windowfocus" (windowactivate
# needs a window manager). Menus are driven by keyboard; buttons, lists, tabs and
# grid cells by clicks at the places listed in "at" below, measured on that
# screen. When a page's layout changes, a step fails naming what it missed; its
# screenshot shows the new places. Steps wait for windows and for the program to
# have handled all input before they look at the screen, so a slow machine only
# makes the run longer.
set -uo pipefail

bin=${1:?usage: e2e_xdotool.sh BIN [OUT]}
out=${2:-$(mktemp -d /tmp/trevane-e2e.XXXXXX)}
for tool in Xvfb xdotool xprop import convert; do
    command -v "$tool" >/dev/null || { echo "e2e: $tool is not installed; skipped" >&2; exit 77; }
done
[[ -x $bin/trevane ]] || { echo "e2e: no program at $bin/trevane" >&2; exit 2; }
mkdir -p "$out" || exit 2
rm -f "$out"/*.png "$out"/trevane.log "$out"/xvfb.log

# How long a window or the program may take to answer before it counts as a hang.
wait_s=${E2E_TIMEOUT:-30}

# Click places (x y in the main window, or in the dialog for "dialog.*").
declare -A at=(
    [browse.hardwood]="80 91"           # category "Timber (hardwood)"
    [browse.first]="60 204"             # first entry of the material list
    [browse.preview]="147 35"
    [details.back]="96 80"              # "return to search"
    [dialog.woods]="90 93"              # search type "Search for woods"
    [dialog.previous]="203 251"         # "previous search"
    [search.hardness]="252 84"          # value cell of the first criterion
    [search.weight]="252 104"           # value cell of the second criterion
    [search.run]="1224 94"              # "search database"
    [search.details]="1224 121"         # "show details"
    [search.memo]="800 500"             # evaluation
    [search.preview]="141 35"
    [cost.wood]="36 74" [cost.metal]="88 74" [cost.plastic]="142 74" [cost.board]="197 74"
    [cost.calculate]="128 371"
    [cost.add]="371 371"
    [cost.preview]="551 34"
    [wood.length]="171 142" [wood.width]="171 180" [wood.thickness]="171 213"
    [metal.size]="55 143" [metal.length]="423 168"
    [plastic.size]="55 143" [plastic.length]="427 168" [plastic.width]="427 196"
    [board.size]="50 146" [board.length]="423 137" [board.width]="423 165"
    [rest]="1270 792"                   # the hint panel: no pop-up hint there
)

work=$(mktemp -d /tmp/trevane-e2e-home.XXXXXX)
xvfb_pid=
app_pid=
source "$(dirname "$0")/xvfb_lib.sh"
trap end_session EXIT

# ---------------------------------------------------------------- display
start_xvfb || { echo "e2e: Xvfb did not start" >&2; exit 1; }

# ---------------------------------------------------------------- program
use_clean_session
"$bin/trevane" >"$out/trevane.log" 2>&1 &
app_pid=$!

step=0
name=start-up
main=
shot=

# Visible windows of the program, one id a line.
windows() { xdotool search --all --onlyvisible --pid "$app_pid" --name '' 2>/dev/null; }
# Visible windows other than the main window, pop-up hints left out.
others() {
    local w kind
    for w in $(windows); do
        [[ $w == "$main" ]] && continue
        kind=$(xprop -id "$w" _NET_WM_WINDOW_TYPE 2>/dev/null)
        [[ $kind == *'= _NET_WM_WINDOW_TYPE_TOOLTIP'* ]] || echo "$w"
    done
}
window_list() {
    local w
    for w in $(windows); do printf ' "%s"' "$(xdotool getwindowname "$w" 2>/dev/null)"; done
}
fail() {
    echo "e2e: step $step ($name) failed: $*" >&2
    import -window root "$out/failed-step-$step-$name.png" 2>/dev/null
    kill -0 "$app_pid" 2>/dev/null && echo "e2e: windows shown:$(window_list)" >&2
    echo "e2e: last lines of the program's output ($out/trevane.log):" >&2
    tail -n 20 "$out/trevane.log" >&2
    exit 1
}
alive() {
    kill -0 "$app_pid" 2>/dev/null && return
    wait "$app_pid"
    local rc=$?
    app_pid=
    fail "the program has gone (crashed, exit status $rc)"
}
# Waits until no window but the main window is shown.
wait_alone() {
    local _
    for _ in $(seq $((wait_s * 10))); do
        alive
        [[ -z $(others) ]] && return
        sleep 0.1
    done
    fail "a window stays open:$(window_list)"
}
# Left click at place $2 of window $1; the pointer then rests where no pop-up
# hint covers what the step shows.
click() {
    alive
    [[ -n ${at[$2]:-} ]] || fail "no place \"$2\" in the script"
    local p rest
    read -ra p <<<"${at[$2]}"
    read -ra rest <<<"${at[rest]}"
    xdotool mousemove --window "$1" "${p[0]}" "${p[1]}" click 1 mousemove --window "$main" "${rest[0]}" "${rest[1]}"
}
# Replaces the text of the edit at place $1 of the main window.
edit() {
    click "$main" "$1"
    keys "$main" ctrl+a
    type_text "$main" "$2"
}
# Opens an activity from the Options menu: 0 browse, 1 search, 2 costing.
activity() {
    local down=() i
    for ((i = 0; i < $1; i++)); do down+=(Down); done
    keys "$main" alt+o "${down[@]}" Return
}
# The File menu's items by their place: 0 New, 1 Open, 2 Save, 3 Save as, 4 Exit.
file_command() {
    local down=() i
    for ((i = 0; i < $1; i++)); do down+=(Down); done
    keys "$main" alt+f "${down[@]}" Return
}
# Returns once the program has handled every earlier event: it opens the File
# menu, which it can only do after everything before, and closes it again.
settle() {
    wait_alone
    keys "$main" alt+f
    local _ shown=
    for _ in $(seq $((wait_s * 10))); do
        alive
        [[ -n $(others) ]] && { shown=1; break; }
        sleep 0.1
    done
    [[ -n $shown ]] || fail "the program does not answer (no File menu within ${wait_s}s)"
    keys "$main" Escape
    wait_alone
    sleep 0.3  # the place under the menu is painted again
}

# Checks of the step's screenshot; $1 says what is looked at, then x y [w h].
box() { convert "$shot" -crop "$4x$5+$2+$3" +repage "${@:6}" 2>/dev/null; }
colours() { box "$@" -format %k info:; }
# Something is drawn there (more than one colour).
expect_ink() { [[ $(colours "$@") -gt 1 ]] || fail "$1: nothing there (see $shot)"; }
# Nothing is drawn there (one colour).
expect_blank() { [[ $(colours "$@") -eq 1 ]] || fail "$1: not empty (see $shot)"; }
# Some pixel there has colour $6 (hex RGB).
expect_colour() {
    local found_colours
    found_colours=$(box "$1" "$2" "$3" "$4" "$5" -unique-colors txt:-)
    grep -qi "#$6" <<<"$found_colours" || fail "$1: no colour #$6 there (see $shot)"
}
# The box differs from the one of the same size at $6 $7.
expect_unlike() {
    [[ $(box "$1" "$2" "$3" "$4" "$5" rgb:- | cksum) != $(box "$1" "$6" "$7" "$4" "$5" rgb:- | cksum) ]] ||
        fail "$1: no different from the box at $6 $7 (see $shot)"
}
# The pages, each by something only it shows.
expect_browse_page() { expect_colour "$1 (the material's name)" 245 25 60 22 0000FF; }
expect_search_page() { expect_colour "$1 (the criteria headings)" 10 58 20 8 FFFF80; }
expect_costing_page() { expect_colour "$1 (the cutting list headings)" 508 75 20 8 FFFF80; }
expect_preview_page() {
    expect_blank "$1 (the space beside the page)" 600 100 660 600
    expect_ink "$1 (the page)" 10 60 550 380
}

begin() { name=$1; }
# Waits for the program, then saves the step's screenshot as $shot.
shot() {
    settle
    shot=$out/$(printf '%02d' "$step")-$name.png
    import -window root "$shot" || fail "no screenshot"
}
passed() {
    echo "e2e: step $step ($name) ok"
    step=$((step + 1))
}

# ---------------------------------------------------------------- steps
begin start
wait_window '^Trevane \['
main=$found
geometry=$(xdotool getwindowgeometry --shell "$main")
if ! grep -q '^WIDTH=1280$' <<<"$geometry" || ! grep -q '^HEIGHT=800$' <<<"$geometry"; then
    fail "the main window does not fill the screen: $(tr '\n' ' ' <<<"$geometry")"
fi
wait_alone  # the splash window goes one second after the main window shows
shot
expect_colour "the start page" 100 100 1 1 008080
expect_ink "the start page's buttons" 443 276 392 245
passed

begin browse  # a category, then the first material of its list
activity 0
click "$main" browse.hardwood
click "$main" browse.first
shot
expect_browse_page "the browse page"
expect_colour "the chosen material" 3 197 185 16 308CC6
expect_ink "the property list" 200 56 830 40
[[ $(colours "the picture" 1050 64 200 150) -gt 256 ]] || fail "the material's picture is not shown (see $shot)"
passed

begin search-criteria  # woods that are hard and heavy
activity 1
wait_window '^Search'
dialog=$found
click "$dialog" dialog.woods
keys "$dialog" Return  # " search"
wait_alone
click "$main" search.hardness  # don't care -> hard
click "$main" search.weight    # don't care -> heavy
shot
expect_search_page "the search page"
expect_unlike "the first criterion's value" 204 76 98 16 204 136
expect_unlike "the second criterion's value" 204 96 98 16 204 136
passed

begin search-results  # a handful of woods: no advice window
click "$main" search.run
shot
expect_ink "the found list" 336 86 400 14
passed

begin search-details
click "$main" search.details
shot
expect_browse_page "the browse page with the found materials"
expect_ink "the \"return to search\" button" 14 70 165 20
expect_colour "the first found material, chosen" 3 106 185 16 308CC6
expect_ink "its property list" 200 56 830 40
passed

begin evaluation
click "$main" details.back
click "$main" search.memo
type_text "$main" "Oak and ash are both hard and heavy; oak lasts longer outdoors."
shot
expect_search_page "the search page"
expect_ink "the evaluation" 336 382 400 20
passed

# Costing: one piece on each tab, each added to the cutting list.
begin cost-wood
activity 2
click "$main" cost.wood  # its first wood is chosen
edit wood.length 300
edit wood.width 50
edit wood.thickness 20
click "$main" cost.calculate
click "$main" cost.add
shot
expect_costing_page "the costing page"
expect_ink "cutting list row 1" 740 92 198 20
passed

begin cost-metal
click "$main" cost.metal  # strip
click "$main" metal.size
edit metal.length 500
click "$main" cost.calculate
click "$main" cost.add
shot
expect_ink "cutting list row 2" 740 116 198 20
passed

begin cost-plastic
click "$main" cost.plastic  # sheet
click "$main" plastic.size
edit plastic.length 200
edit plastic.width 100
click "$main" cost.calculate
click "$main" cost.add
shot
expect_ink "cutting list row 3" 740 140 198 20
passed

begin cost-board
click "$main" cost.board
click "$main" board.size
edit board.length 400
edit board.width 300
click "$main" cost.calculate
click "$main" cost.add
shot
expect_ink "cutting list row 4" 740 164 198 20
expect_blank "the material cell of the total row" 740 188 198 20
expect_ink "the total" 1140 188 50 20
passed

# Types the path $2 into the file dialog titled $1 and waits until the main
# window shows the project's name.
name_file() {
    wait_window "$1"
    local dialog=$found
    keys "$dialog" ctrl+a
    type_text "$dialog" "$2"
    keys "$dialog" Return
    wait_alone
    wait_window '^Trevane \[e2e-project\.prj\]'
}

begin save  # Save as, then what the file holds
project=$work/e2e-project.prj
file_command 3
name_file '^Save as' "$project"
[[ -s $project ]] || fail "Save as wrote no project file"
for want in Hardness hard Weight heavy "hard and heavy" \
    $'\t300\t50\t20\t' $'\t500\t' $'\t200\t100\t' $'\t400\t300\t' $'\ttotal\t'; do
    grep -aqF -- "$want" "$project" || fail "the saved project lacks \"$want\""
done
shot
passed

begin new  # the project was just saved, so New asks nothing; the list is emptied
file_command 0
wait_alone
wait_window '^Trevane \[untitled\.prj\]'
activity 2
shot
expect_costing_page "the costing page"
expect_blank "the cutting list after New" 740 92 198 20
passed

begin open  # the cutting list and the search come back
file_command 1
name_file '^Open' "$project"
shot
expect_costing_page "the costing page"
expect_ink "cutting list row 4 after Open" 740 164 198 20
passed

# A preview of each page: the search, the cutting list, a material's properties.
begin preview-search
activity 1
wait_window '^Search'
click "$found" dialog.previous
wait_alone
click "$main" search.preview
shot
expect_preview_page "the preview of the search"
expect_ink "the evaluation on the page" 308 152 240 12
passed

begin preview-cutting-list
activity 2
click "$main" cost.preview
shot
expect_preview_page "the preview of the cutting list"
expect_ink "the cutting list on the page" 40 116 390 80
passed

begin preview-properties
activity 0
click "$main" browse.hardwood
click "$main" browse.first
click "$main" browse.preview
shot
expect_preview_page "the preview of the properties"
[[ $(colours "the picture on the page" 306 68 200 150) -gt 256 ]] ||
    fail "the material's picture is not on the page (see $shot)"
passed

begin exit  # File > Exit, answered Yes; the program must end by itself
file_command 4
wait_window '^Confirm'
question=$found
import -window root "$out/$(printf '%02d' "$step")-$name.png"
keys "$question" Return
wait_exit Exit
passed
echo "e2e: all $step steps passed; screenshots in $out"
