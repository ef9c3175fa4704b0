# Bash completion for fablewick-story: its commands, their options, the values of options that
# have a few, and files or folders where a path goes.

# The commands, one a line, in the order of the tool's usage text: a new command adds its line
# here. "paths" means the command takes files or folders, "none" that it takes none; an option
# that takes a value ends in "=" (the value is the next word).
#   command   arguments  options
_fablewick_story_commands=(
  "dump       paths"
  "validate   paths      --image-sizes --raw --quiet"
  "lint       paths      --json --werror"
  "graph      paths      --svg="
  "name       paths"
  "unused     paths      --trash"
  "decode     paths      --8bit"
  "media      paths"
  "devices    none"
  "play       paths      --loops= --delay= --device="
  "new        paths      --name="
)

# Completes the value of an option that takes one.
_fablewick_story_option_value() {
  local tool=$1 option=$2 cur=$3
  case $option in
    --loops) COMPREPLY=($(compgen -W "FOREVER" -- "$cur")) ;;
    --device)
      # The names the tool lists, which may hold blanks; null and capture are always there.
      local IFS=$'\n'
      local names
      names=$({ printf '%s\n' null capture; "$tool" devices 2>/dev/null | cut -f3; } | sort -u)
      COMPREPLY=($(compgen -W "$names" -- "$cur"))
      compopt -o filenames
      ;;
    --svg) _filedir svg ;;
  esac
}

_fablewick_story() {
  local cur prev words cword
  _init_completion || return

  local entry name arguments options
  if ((cword == 1)); then
    local names=""
    for entry in "${_fablewick_story_commands[@]}"; do
      read -r name arguments options <<<"$entry"
      names+=" $name"
    done
    COMPREPLY=($(compgen -W "$names" -- "$cur"))
    return
  fi

  local found=""
  for entry in "${_fablewick_story_commands[@]}"; do
    read -r name arguments options <<<"$entry"
    if [[ $name == "${words[1]}" ]]; then
      found=$name
      break
    fi
  done
  [[ -n $found ]] || return

  if [[ " $options " == *" $prev= "* ]]; then
    _fablewick_story_option_value "${words[0]}" "$prev" "$cur"
  elif [[ $cur == -* ]]; then
    COMPREPLY=($(compgen -W "${options//=/}" -- "$cur"))
  elif [[ $arguments == paths ]]; then
    _filedir
  fi
}

complete -F _fablewick_story fablewick-story
