#!/usr/bin/env bash
# Takes the README's screenshots of the player under Xvfb: the start page, the title page of
# the demo story and its first scene, scenes of the other demo story, and a scene at twice the
# size (View > Zoom In), as PNG files in docs/screenshots.
#   tools/screenshots.sh [BUILD_DIR]     (default: build; the player driver must be built)
set -euo pipefail
cd "$(dirname "$0")/.."

build=${1:-build}
driver="$build/bin/fablewick-driver"
out=docs/screenshots
story="The Lantern Keeper"

if [[ -z "${DISPLAY:-}" ]]; then
  exec xvfb-run -a -s "-screen 0 1280x1024x24" "$0" "$@"
fi
if [[ ! -x "$driver" ]]; then
  echo "Build the player driver first: cmake --build $build --target fablewick-driver" >&2
  exit 2
fi
mkdir -p "$out"

# A fresh settings folder, so that the pictures do not depend on the user's own.
config=$(mktemp -d)
trap 'rm -rf "$config"' EXIT
export XDG_CONFIG_HOME="$config"

coproc DRIVER { "$driver" Stories; }

# Sends a command and waits for its answer, which it leaves in $answer.
ask() {
  echo "$1" >&"${DRIVER[1]}"
  IFS= read -r -t 30 answer <&"${DRIVER[0]}" || { echo "$1: no answer" >&2; exit 1; }
  if [[ "$answer" == failed* ]]; then
    echo "$1: $answer" >&2
    exit 1
  fi
}

# Waits for the first paint of the view.
IFS= read -r -t 30 first <&"${DRIVER[0]}"
[[ "$first" == painted ]] || { echo "the player did not start: $first" >&2; exit 1; }

shoot() {
  sleep 0.3  # let the toolkit finish drawing the frame around the view
  ask geometry
  read -r _ x y width height <<<"$answer"
  import -window root -crop "${width}x${height}+${x}+${y}" +repage "$out/$1.png"
  echo "$out/$1.png"
}

shoot start-page
ask "new $story"
shoot title-page
ask begin
shoot scene
ask "key 2"  # the tide pools, then up the tower's stairs
ask "key 1"
shoot lantern-stairs
ask "new The Autumn Letter"
ask begin
shoot autumn-cottage
ask "option 1"
shoot autumn-crossroads
ask "option 2"  # the stepping stones, then the mill
ask "option 1"
shoot autumn-mill
ask "new $story"
ask begin
ask "zoom 2"
shoot scene-2x
echo quit >&"${DRIVER[1]}"
wait "$DRIVER_PID" || true
