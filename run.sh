#!/usr/bin/env bash
# Installs what is missing, builds the player (Release) and starts it from the repository root,
# so that Stories/ is its stories folder. Arguments go to the player.
set -euo pipefail
cd "$(dirname "$0")"

./tools/install-deps.sh
cmake -S . -B build-release -DCMAKE_BUILD_TYPE=Release -DFABLEWICK_BUILD_TESTS=OFF >/dev/null
cmake --build build-release -j"$(nproc)"

if [[ -x build-release/bin/fablewick ]]; then
  exec build-release/bin/fablewick "$@"
fi
echo "The player is not built yet; validating the demo story with the story tool instead."
exec build-release/bin/fablewick-story validate Stories/Lantern
