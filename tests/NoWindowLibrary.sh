#!/usr/bin/env bash
# The story, sound and picture libraries build and run without a display: a test program that
# links only them must not load the windowing toolkit (the synthesizer, which brings X11, is
# loaded only when a tune plays).
set -euo pipefail
status=0
for program in "$@"; do
  # A program that ldd cannot read fails the test rather than passing it unchecked.
  libraries=$(ldd "$program")
  if grep -E 'libwx_gtk|libgtk-|libgdk-' <<<"$libraries"; then
    echo "$program loads a windowing library" >&2
    status=1
  fi
done
exit $status
