#!/bin/sh
# Runs a command on a private X server (Xvfb) through Qt's X11 platform, as on a person's desktop, and
# ends the server afterwards. The command's exit status is the script's.
set -u
if ! command -v Xvfb >/dev/null 2>&1; then
    echo "with_xvfb.sh: Xvfb is not installed (scripts/setup.sh installs it)." >&2
    exit 1
fi
ready=$(mktemp)
# -displayfd picks a free display and writes its number once the server accepts clients.
Xvfb -displayfd 3 -screen 0 1600x1000x24 -nolisten tcp 3>"$ready" 2>/dev/null &
server=$!
tries=0
while [ ! -s "$ready" ] && [ $tries -lt 200 ]; do
    sleep 0.05
    tries=$((tries + 1))
done
display=$(head -n 1 "$ready")
rm -f "$ready"
if [ -z "$display" ]; then
    kill $server 2>/dev/null
    echo "with_xvfb.sh: the X server did not start." >&2
    exit 1
fi
DISPLAY=":$display" QT_QPA_PLATFORM=xcb SS_TEST_PLATFORM=xcb "$@"
status=$?
kill $server 2>/dev/null
wait $server 2>/dev/null
exit $status
