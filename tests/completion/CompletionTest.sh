#!/usr/bin/env bash
# The story tool's bash completion and manual page know every command and option the tool
# has, and the completion offers option values and paths where they go.
#   CompletionTest.sh STORY_TOOL COMPLETION_SCRIPT MANUAL_PAGE
set -uo pipefail
tool=$1
script=$2
manual=$3

source /usr/share/bash-completion/bash_completion
source "$script"

failures=0
fail() {
  echo "FAILED: $*" >&2
  failures=$((failures + 1))
}

# What the completion offers for a command line whose last word is being typed, one a line.
complete_words() {
  COMP_WORDS=("$tool" "$@")
  COMP_CWORD=$#
  COMP_LINE="${COMP_WORDS[*]}"
  COMP_POINT=${#COMP_LINE}
  COMPREPLY=()
  _fablewick_story 2>/dev/null
  if ((${#COMPREPLY[@]})); then printf '%s\n' "${COMPREPLY[@]}" | sort; fi
}

expect() {
  local what=$1 expected=$2 found=$3
  [[ "$found" == "$expected" ]] || fail "$what: expected [${expected//$'\n'/ }], found [${found//$'\n'/ }]"
}

# The usage text lists each command with its arguments: "  NAME [--OPTION ...] ARGUMENTS".
usage=$("$tool" 2>&1 | sed -n 's/^  //p')
commands=$(cut -d' ' -f1 <<<"$usage" | sort)
[[ -n "$commands" ]] || fail "the tool lists no commands"
expect "commands completed (add the new ones to _fablewick_story_commands in $(basename "$script"))" \
  "$commands" "$(complete_words "")"

while read -r command arguments; do
  options=$(grep -o -- '--[a-z0-9-]*' <<<"$arguments" | sort)
  expect "options of $command" "$options" "$(complete_words "$command" --)"
  grep -q "^\.BR\? $command\( \|$\)" "$manual" || fail "the manual page has no entry for $command"
  for option in $options; do
    # The page writes each hyphen as "\-".
    grep -qF -- "${option//-/\\-}" "$manual" || fail "the manual page does not name $command $option"
  done
done <<<"$usage"

expect "value of --loops" "FOREVER" "$(complete_words play --loops "")"
expect "value of --device" "null" "$(complete_words play --device nu)"
expect "a command without arguments" "" "$(complete_words devices "")"
expect "an unknown command" "" "$(complete_words nonsense "")"

# Paths: the story folder where a story goes.
folder=$(mktemp -d)
trap 'rm -rf "$folder"' EXIT
mkdir "$folder/Stories"
touch "$folder/Stored.txt"
cd "$folder" || exit 1
expect "paths" $'Stored.txt\nStories' "$(complete_words validate --raw Sto)"

exit $((failures > 0))
