#!/usr/bin/env bash
# Prints the three pages of the program through the CUPS spooler into PDF files
# (the cups-pdf back end) and checks what comes out: the number of sheets, the
# landscape page turned onto the paper, and the texts of each page.
#
#   cups_print_test.sh PATH/TO/trevane-print-check
#
# Needs the packages cups, printer-driver-cups-pdf and poppler-utils. Starts
# cupsd when it is not running. Exits 77 (skipped) only where cupsd cannot run.
set -u

CHECK=${1:?usage: cups_print_test.sh PATH/TO/trevane-print-check}
QUEUE=TrevaneE2E$$
OUT=$(mktemp -d /tmp/trevane-cups.XXXXXX)
# The checker's own messages (a sanitizer report among them), shown on failure.
LOG=$(mktemp /tmp/trevane-cups-log.XXXXXX)
CONF=/etc/cups/cups-pdf-$QUEUE.conf
STARTED_CUPSD=""

skip() { echo "SKIP: $*"; cleanup; exit 77; }
fail() {
    echo "FAIL: $*"
    [ -s "$LOG" ] && { echo "trevane-print-check said:"; tail -n 40 "$LOG"; }
    cleanup
    exit 1
}
cleanup() {
    lpadmin -x "$QUEUE" >/dev/null 2>&1
    rm -f "$CONF"
    rm -rf "$OUT"
    rm -f "$LOG"
    [ -n "$STARTED_CUPSD" ] && kill "$STARTED_CUPSD" >/dev/null 2>&1
}

command -v cupsd >/dev/null 2>&1 || skip "cupsd is not installed (Debian packages cups and printer-driver-cups-pdf)"
for tool in lpadmin lpstat pdfinfo pdftotext; do
    command -v "$tool" >/dev/null 2>&1 || fail "$tool is missing (packages cups and poppler-utils)"
done
[ -x /usr/lib/cups/backend/cups-pdf ] || fail "the cups-pdf back end is missing (package printer-driver-cups-pdf)"
[ -x "$CHECK" ] || fail "$CHECK is not a program"

# The scheduler: use a running one, else start one (only root can).
if ! lpstat -r 2>/dev/null | grep -q "is running"; then
    [ "$(id -u)" = 0 ] || skip "cupsd is not running and only root can start it"
    cupsd -f >/dev/null 2>&1 &
    STARTED_CUPSD=$!
    for _ in $(seq 1 50); do
        lpstat -r 2>/dev/null | grep -q "is running" && break
        sleep 0.2
    done
    lpstat -r 2>/dev/null | grep -q "is running" || skip "cupsd cannot run here"
fi

# A PDF queue writing into our own folder (cups-pdf reads cups-pdf-QUEUE.conf for
# the URI cups-pdf:/QUEUE); pdftocairo keeps the texts searchable.
chmod 1777 "$OUT"
printf 'Out %s\nAnonDirName %s\nLabel 1\nUserUMask 0000\n' "$OUT" "$OUT" > "$CONF" ||
    skip "cannot configure cups-pdf (not root?)"
lpadmin -p "$QUEUE" -E -v "cups-pdf:/$QUEUE" -m lsb/usr/cups-pdf/CUPS-PDF_opt.ppd \
    -o pdftops-renderer-default=pdftocairo >/dev/null 2>&1 || fail "lpadmin could not add the queue $QUEUE"
"$CHECK" --list 2>>"$LOG" | grep -qx "$QUEUE" || fail "the program does not list the printer $QUEUE"

# Prints one page and waits for its PDF; sets PDF to the new file.
print_page() {
    local before
    before=$(ls "$OUT" | wc -l)
    "$CHECK" --printer "$QUEUE" "$@" 2>>"$LOG" || fail "printing $* failed"
    for _ in $(seq 1 150); do
        [ "$(ls "$OUT"/*.pdf 2>/dev/null | wc -l)" -gt "$before" ] && ! lpstat -o "$QUEUE" 2>/dev/null | grep -q . && break
        sleep 0.2
    done
    PDF=$(ls -t "$OUT"/*.pdf 2>/dev/null | head -1)
    [ -n "$PDF" ] || fail "no PDF came out of the spooler for $*"
}

pages() { pdfinfo "$1" 2>/dev/null | awk '/^Pages:/ {print $2}'; }

# The landscape page lies turned on the portrait paper: its words run up the
# sheet, so most word boxes are taller than wide.
landscape() {
    pdftotext -bbox "$1" - 2>/dev/null | awk -F'"' '/<word / {
        w = $4 - $2; h = $8 - $6; n++; if (h > w) up++ }
        END { exit !(n > 0 && up * 2 > n) }'
}

has_texts() {
    local pdf=$1 text
    text=$(pdftotext "$pdf" - 2>/dev/null | tr -s ' \n' ' ')
    shift
    for t in "$@"; do
        case "$text" in *"$t"*) ;; *) fail "\"$t\" is not on the page in $pdf" ;; esac
    done
}

print_page --kind 1 --copies 2
[ "$(pages "$PDF")" = 2 ] || fail "two copies of the properties page gave $(pages "$PDF") sheets"
landscape "$PDF" || fail "the properties page is not landscape"
has_texts "$PDF" properties Oak Hardness Trevane

print_page --kind 2
[ "$(pages "$PDF")" = 1 ] || fail "the search page gave $(pages "$PDF") sheets"
landscape "$PDF" || fail "the search page is not landscape"
has_texts "$PDF" "Search For A Material" "Search category" "Student Evaluation" "Name: Robin Pupil" "Title: Garden bench"

print_page --kind 3 --rows 60
# Three sheets of the list, then one of cutting diagrams (Pine and Beech lengths).
[ "$(pages "$PDF")" = 4 ] || fail "a cutting list of 60 rows gave $(pages "$PDF") sheets, not 4"
landscape "$PDF" || fail "the cutting list is not landscape"
has_texts "$PDF" "cutting list" "Name: Robin Pupil" Beech total 249.00 "cutting diagrams" "page 4 of 4"

echo "PASS: three pages printed through CUPS queue $QUEUE"
cleanup
exit 0
