#!/usr/bin/env bash
# The main job: installs what is missing, builds, and runs the host shell with the given arguments.
# Without arguments it evaluates the sample base-plate standard for the macro BasePlate1 of the sample
# drawing: the column's section and the overhang are read from the macro, the sheet computes, and the
# plate's size, thickness and anchors go back into the macro (the drawing file is left as it is).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
scripts/build.sh release >/dev/null
if [ $# -eq 0 ]; then
  echo "sshost standards --drawing examples/library/Drawings/connections.json --macro BasePlate1 --sheet BasePlate"
  set -- standards --drawing examples/library/Drawings/connections.json --macro BasePlate1 --sheet BasePlate
fi
exec build/bin/sshost "$@"
