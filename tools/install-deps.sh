#!/usr/bin/env bash
# Installs every Debian package that building, testing and running Fablewick needs.
# Does nothing when all of them are present already.
set -euo pipefail

packages=(
  # build
  build-essential cmake pkg-config git
  # application framework, pictures, sound, music, trash
  libwxgtk3.2-dev libpng-dev zlib1g-dev libogg-dev libvorbis-dev
  libfluidsynth-dev timgm6mb-soundfont libasound2-dev libglib2.0-dev
  fonts-liberation2
  # the story tool's scene graphs as SVG
  libgraphviz-dev
  # tests, benchmarks, fuzzing and reference tools
  googletest libgtest-dev libbenchmark-dev clang libclang-rt-14-dev
  xvfb xauth x11-apps imagemagick sox vorbis-tools alsa-utils netpbm
  python3-mido desktop-file-utils time libx11-dev
  # the Debian package and the tools that check it: dependencies from the libraries
  # (dpkg-shlibdeps, which CPack finds the programs for with file), lintian, the metadata
  # validator, manual pages and the shell completion
  dpkg-dev file lintian appstream man-db bash-completion
  # sound through a real sound server: a private PulseAudio, recorded from its null sink; ALSA's
  # plugins route its "default" device there
  pulseaudio pulseaudio-utils libasound2-plugins
)

missing=()
for p in "${packages[@]}"; do
  status=$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null || true)
  [[ "$status" == "install ok installed" ]] || missing+=("$p")
done

if [[ ${#missing[@]} -eq 0 ]]; then
  exit 0
fi

echo "Installing: ${missing[*]}"
sudo=()
if [[ $(id -u) -ne 0 ]]; then
  sudo=(sudo)
fi
export DEBIAN_FRONTEND=noninteractive
"${sudo[@]}" apt-get update
"${sudo[@]}" apt-get install -y --no-install-recommends "${missing[@]}"
