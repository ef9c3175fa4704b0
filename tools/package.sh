#!/usr/bin/env bash
# Builds the Debian package of the player, fablewick_<version>_amd64.deb, and prints its path.
#   tools/package.sh [BUILD_DIR [OUT_DIR]]    (default: build, and the package goes there too)
# It packages the build ./test.sh makes, RelWithDebInfo: optimised at -O2 with
# assertions off, as Debian builds its own packages, and CPack strips the debugging information.
# So the tested programs are the packaged ones, and nothing is compiled twice. A missing build
# folder is configured first.
set -euo pipefail
repository=$(realpath "$(dirname "$0")/..")
build=$(realpath -m "${1:-$repository/build}")
out=$(realpath -m "${2:-$build}")
cd "$repository"

./tools/install-deps.sh
if [[ ! -f "$build/CMakeCache.txt" ]]; then
  cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
fi
cmake --build "$build" -j"$(nproc)" --target fablewick_installed_files >/dev/null
mkdir -p "$out"
log=$(cpack -G DEB --config "$build/CPackConfig.cmake" -B "$out" 2>&1) || { echo "$log" >&2; exit 1; }
rm -rf "$out/_CPack_Packages"
# CPack says "CPack: - package: PATH generated."
sed -n 's/^CPack: - package: \(.*\) generated\.$/\1/p' <<<"$log"
