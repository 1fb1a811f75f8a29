#!/usr/bin/env bash
# The main job: installs what is missing, builds, and runs the host shell with the given arguments.
# Without arguments it loads the module into the stand-in CAD host, shows what the host saw, and
# unloads it again.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
scripts/build.sh release >/dev/null
if [ $# -eq 0 ]; then
  set -- --trace
fi
exec build/bin/sshost "$@"
