#!/usr/bin/env bash
# Takes the README's screenshots of the player under Xvfb, with fresh settings, from the
# repository root so that Stories/ is the stories folder. Build first (./test.sh or ./run.sh).
#   tools/screenshots.sh [OUTDIR]      (default docs/screenshots; FABLEWICK= names the player)
# Needs xvfb-run, xdotool and ImageMagick's import.
set -euo pipefail
cd "$(dirname "$0")/.."

if [[ -z "${FABLEWICK_SCREENSHOT_DISPLAY:-}" ]]; then
  export FABLEWICK_SCREENSHOT_DISPLAY=1
  exec xvfb-run -a -s "-screen 0 1024x768x24" "$0" "$@"
fi

out=${1:-docs/screenshots}
player=${FABLEWICK:-build/bin/fablewick}
[[ -x "$player" ]] || player=build-release/bin/fablewick
mkdir -p "$out"
XDG_CONFIG_HOME=$(mktemp -d)
export XDG_CONFIG_HOME

# shoot NAME STORY STEP...: starts the player on STORY ("" for none), takes each step and saves
# the main window as OUTDIR/NAME.png. Steps: begin (click Begin Play), newgame (click New Game),
# a digit (choose that option), Return (press Enter), window:TITLE (save the window whose title
# matches TITLE instead, once it shows).
shoot() {
  local name=$1 story=$2
  shift 2
  if [[ -n "$story" ]]; then "$player" "$story" & else "$player" & fi
  local pid=$!
  local window
  window=$(xdotool search --sync --onlyvisible --name '^Fablewick' | head -1)
  sleep 1.5
  local WIDTH HEIGHT X Y SCREEN
  eval "$(xdotool getwindowgeometry --shell "$window")"
  local shot=$window
  for step in "$@"; do
    case $step in
      begin) xdotool mousemove $((X + WIDTH / 2)) $((Y + HEIGHT - 35)) click 1 ;;
      newgame) xdotool mousemove $((X + WIDTH / 2)) $((Y + HEIGHT - 58)) click 1 ;;
      window:*) shot=$(xdotool search --sync --onlyvisible --name "${step#window:}" | head -1) ;;
      *) xdotool key "$step" ;;
    esac
    sleep 1.2
  done
  xdotool mousemove 1000 700  # no option lit up under the pointer
  sleep 0.3
  import -window "$shot" "$out/$name.png"
  kill "$pid"
  wait "$pid" 2>/dev/null || true
}

shoot start ""
shoot select-story "" newgame 'window:^Select an'
shoot title Stories/Lantern
shoot lantern-shore Stories/Lantern begin
shoot lantern-stairs Stories/Lantern begin 2 1
shoot autumn-cottage Stories/Autumn begin
shoot autumn-crossroads Stories/Autumn begin 1
shoot autumn-mill Stories/Autumn begin 1 2 1
shoot story-errors Stories/Broken Return Return 'window:^Story Errors'
echo "Screenshots in $out"
