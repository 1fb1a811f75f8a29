#!/bin/sh
# The host shell's levels command on a copy of the sample drawing:
#   levels_command_test.sh SSHOST LIBRARY
# Each check prints what it ran when it fails; the script fails at the first failing check.
set -u
sshost=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp "$2/Drawings/macro-dialogs.json" "$work/drawing.json"
export QT_QPA_PLATFORM=offscreen SS_SETTINGS=/nonexistent

. "$(dirname "$0")/expect.sh"

expect "levels picture" 'Picture of the levels saved as .*levels\.png; nothing was written' \
  "$sshost" levels --drawing "$work/drawing.json" --png "$work/levels.png"
[ "$(head -c 4 "$work/levels.png" | tail -c 3)" = PNG ] || fail "no picture of the levels"
cmp -s "$2/Drawings/macro-dialogs.json" "$work/drawing.json" || fail "the drawing was written"
refuse "no display" 'no display to show the levels on' "$sshost" levels --drawing "$work/drawing.json"
refuse "missing drawing" 'none\.json' "$sshost" levels --drawing "$work/none.json" --png "$work/x.png"
printf '{"format": "something else"}\n' >"$work/bad.json"
refuse "not a drawing" 'bad\.json' "$sshost" levels --drawing "$work/bad.json" --png "$work/x.png"
refuse "no drawing named" 'drawing' "$sshost" levels --png "$work/x.png"
[ -e "$work/x.png" ] && fail "a picture of a failed command"
echo "All levels command checks passed."
