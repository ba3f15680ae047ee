#!/usr/bin/env bash
# Sets up what is missing, builds Tunedex and starts its window. Arguments go to the program
# (for example --settings FILE).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
# Only the programs are built here; the test command builds the rest in the same folder.
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build --target tunedex tunedex-cli >/dev/null
exec build/bin/tunedex "$@"
