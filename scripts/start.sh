#!/usr/bin/env bash
# Sets up what is missing, builds Tunedex and starts it. Arguments go to the program.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
# Only the program is built here; the test command builds the rest in the same folder.
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build --target tunedex-cli >/dev/null
if [ $# -eq 0 ]; then set -- --help; fi
exec build/bin/tunedex-cli "$@"
