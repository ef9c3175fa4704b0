#!/usr/bin/env bash
# Installs what is missing, builds the player (Release) and starts it from the repository root,
# so that Stories/ (the demo stories) is its stories folder on a first run: New Game lists them.
# Arguments go to the player, for example a story to open at once: ./run.sh Stories/Lantern
set -euo pipefail
cd "$(dirname "$0")"

./tools/install-deps.sh
cmake -S . -B build-release -DCMAKE_BUILD_TYPE=Release -DFABLEWICK_BUILD_TESTS=OFF >/dev/null
cmake --build build-release -j"$(nproc)"

exec build-release/bin/fablewick "$@"
