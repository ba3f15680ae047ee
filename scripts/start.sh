#!/usr/bin/env bash
# Sets up what is missing, builds Tunedex and starts it. Arguments go to the program.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh build -DBUILD_TESTING=OFF -DTUNEDEX_BENCH=OFF >/dev/null
if [ $# -eq 0 ]; then set -- --help; fi
exec build/bin/tunedex-cli "$@"
