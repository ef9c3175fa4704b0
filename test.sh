#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test.
#   ./test.sh             the normal build, in build/
#   ./test.sh --sanitize  the same with AddressSanitizer and UndefinedBehaviorSanitizer, in build-asan/
#   ./test.sh --tsan      the audio engines' tests (label audio_engine) under ThreadSanitizer, in
#                         build-tsan/
# Extra arguments after the option go to ctest (for example -L corpus or -R Midi).
set -euo pipefail
cd "$(dirname "$0")"

build=build
options=(-DCMAKE_BUILD_TYPE=RelWithDebInfo)
labels=()
if [[ "${1:-}" == "--tsan" ]]; then
  shift
  build=build-tsan
  options=(-DCMAKE_BUILD_TYPE=Debug "-DCMAKE_CXX_FLAGS_DEBUG=-g -O1" -DFABLEWICK_TSAN=ON)
  export TSAN_OPTIONS="${TSAN_OPTIONS:-halt_on_error=1:second_deadlock_stack=1:suppressions=$PWD/tests/tsan.supp}"
  labels=(-L audio_engine)
elif [[ "${1:-}" == "--sanitize" ]]; then
  shift
  build=build-asan
  options=(-DCMAKE_BUILD_TYPE=Debug "-DCMAKE_CXX_FLAGS_DEBUG=-g -O1" -DFABLEWICK_SANITIZE=ON)
  export ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=1:strict_string_checks=1}"
  export UBSAN_OPTIONS="${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}"
  export LSAN_OPTIONS="${LSAN_OPTIONS:-suppressions=$PWD/tests/lsan.supp:print_suppressions=0}"
fi

./tools/install-deps.sh
cmake -S . -B "$build" "${options[@]}" >/dev/null
cmake --build "$build" -j"$(nproc)"

ctest=(ctest --test-dir "$build" --output-on-failure -j"$(nproc)" "${labels[@]}" "$@")
if [[ -z "${DISPLAY:-}" ]]; then
  # -noreset: the server must not reset between two test programs, or one of them finds no display.
  xvfb-run -a -s "-screen 0 1280x1024x24 -noreset" "${ctest[@]}"
else
  "${ctest[@]}"
fi
