#!/usr/bin/env bash
# The Wine wrapper towards whoever calls it (ctest reads a test's output to
# its end before it counts the test as ended):
# - a run is over when its program is: once it returned, nothing holds its
#   output open, although another run keeps the prefix's background (the
#   wineserver and services its program started) alive;
# - the program's stdout, its stderr and its exit code come through.
#   wine_run_test.sh <wine-run> <wine_run_gate.exe> <scratch folder>
# Its own prefix (made on the first run, kept beside the scratch folder), so
# that its first program is the one that starts the prefix's background.
set -u
[ $# -eq 3 ] || { echo "usage: wine_run_test.sh <wine-run> <gate program> <scratch folder>" >&2; exit 2; }
wine_run=$(realpath "$1") gate=$(realpath "$2") scratch=$3
status=0
fail() { echo "FAIL: $*" >&2; status=1; }

rm -rf "$scratch" && mkdir -p "$scratch" || exit 2
cd "$scratch" || exit 2
prefix=$(dirname "$PWD")/wine-run-prefix
cp "$gate" . || exit 2
program=./$(basename "$gate")

# Waits until a program made its mark; false if its run ended first.
started() {
  until [ -f "$1.started" ]; do
    kill -0 "$2" 2>/dev/null || return 1
    sleep 0.1
  done
}

# The processes other than this script that hold a file open.
holders() {
  local file fd pid
  file=$(realpath "$1")
  find /proc/[0-9]*/fd -maxdepth 1 -lname "$file" 2>/dev/null | while read -r fd; do
    pid=${fd#/proc/}
    pid=${pid%%/*}
    [ "$pid" = "$$" ] && continue
    echo "$pid $(tr '\0' ' ' < "/proc/$pid/cmdline" 2>/dev/null | cut -c1-70)"
  done | sort -u
}

"$wine_run" --prefix "$prefix" "$program" first 3 >first.out 2>first.err &
first=$!
started first "$first" || { cat first.err >&2; echo "FAIL: the first program did not start" >&2; exit 1; }
"$wine_run" --prefix "$prefix" "$program" second 0 >second.out 2>second.err &
second=$!
if ! started second "$second"; then
  cat second.err >&2
  fail "the second program did not start"
fi

touch first.gate
wait "$first"
rc=$?
[ $rc -eq 3 ] || fail "the first run returned $rc, not its program's 3"
grep -q '^gate first: out' first.out || fail "the first program's stdout is missing: $(cat first.out)"
grep -q '^gate first: err' first.err || fail "the first program's stderr is missing: $(cat first.err)"
# Only meaningful while the second run keeps the prefix's background alive.
kill -0 "$second" 2>/dev/null || fail "the second run ended before its gate opened"
for f in first.out first.err; do
  left=$(holders "$f")
  [ -z "$left" ] || fail "$f is still held open after its run ended, by:
$left"
done

touch second.gate
wait "$second"
rc=$?
[ $rc -eq 0 ] || fail "the second run returned $rc"
grep -q '^gate second: err' second.err || fail "the second program's stderr is missing"

[ $status -eq 0 ] && echo "wine-run: both runs ended with their programs, output and exit codes whole"
exit $status
