#!/usr/bin/env bash
# Builds the libFuzzer programs (clang, ASan+UBSan) in build-fuzz/ and runs one fuzz target for
# the given number of seconds, at low priority, on one core.
#   tools/fuzz.sh TARGET SECONDS [libFuzzer options...]
#   tools/fuzz.sh midi_sequence 600
# TARGET is a folder name under fuzz/corpus (story, midi_sequence, sound_wav, sound_vorbis,
# picture_bmp, picture_png, compressed_text). The seeds in fuzz/corpus/TARGET are read; new
# inputs go to build-fuzz/corpus/TARGET; crashes, leaks, time-outs and out-of-memory inputs to
# build-fuzz/artifacts/TARGET/. To keep what a run found, minimise it into the seeds with
#   build-fuzz/bin/fuzz_TARGET -merge=1 fuzz/corpus/TARGET build-fuzz/corpus/TARGET
set -euo pipefail
cd "$(dirname "$0")/.."

if [[ $# -lt 2 ]]; then
  echo "usage: tools/fuzz.sh TARGET SECONDS [libFuzzer options...]" >&2
  exit 2
fi
target=$1
seconds=$2
shift 2
if [[ ! -d "fuzz/corpus/$target" ]]; then
  echo "tools/fuzz.sh: no fuzz target $target (see fuzz/corpus)" >&2
  exit 2
fi

build=build-fuzz
launcher=()
if command -v ccache >/dev/null; then
  launcher=(-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi
CC=clang CXX=clang++ cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DFABLEWICK_FUZZ=ON \
  "${launcher[@]}" >/dev/null
nice -n 10 cmake --build "$build" -j2 --target "fuzz_$target"

corpus="$build/corpus/$target"
artifacts="$build/artifacts/$target"
mkdir -p "$corpus" "$artifacts"
options=(-max_total_time="$seconds" -print_final_stats=1 -rss_limit_mb=2048 -timeout=60
         -artifact_prefix="$artifacts/")
# The merge of many tracks only shows its cost on inputs far larger than the seeds.
if [[ "$target" == midi_sequence ]]; then options+=(-max_len=1048576 -len_control=0); fi
export ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=1}"
export UBSAN_OPTIONS="${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}"
exec nice -n 10 "$build/bin/fuzz_$target" "${options[@]}" "$@" "$corpus" "fuzz/corpus/$target"
