# bash completion for zoltoc: subcommands, their options, keywords, files and directories.
_zoltoc() {
  local cur prev sub i
  cur=${COMP_WORDS[COMP_CWORD]}
  prev=${COMP_WORDS[COMP_CWORD-1]}
  local commands="packages element levels plan record checksum check"
  sub=""
  for ((i = 1; i < COMP_CWORD; i++)); do
    case " $commands " in *" ${COMP_WORDS[i]} "*) sub=${COMP_WORDS[i]}; break ;; esac
  done
  case $prev in
    --media | -o | --output) COMPREPLY=($(compgen -f -- "$cur")); return ;;
    --install) COMPREPLY=($(compgen -d -- "$cur")); return ;;
    --type) COMPREPLY=($(compgen -W "code rux2 documentation samples unknownQ" -- "$cur")); return ;;
    --package) COMPREPLY=($(compgen -W "FWK GRP PRD PDO SLT FIX FSP SPK HFX SMP" -- "$cur")); return ;;
    --mode) COMPREPLY=($(compgen -W "general ga spk hfx" -- "$cur")); return ;;
    --level) COMPREPLY=($(compgen -W "0 1 2" -- "$cur")); return ;;
  esac
  local options
  case $sub in
    "") COMPREPLY=($(compgen -W "$commands --help --version" -- "$cur")); return ;;
    packages) options="--media --install --package --type --visible --json" ;;
    element) options="--media --install --type --json" ;;
    levels) options="--media --install --json" ;;
    plan) options="--media --install --mode --type --archive --check-prereqs --json" ;;
    record) options="--media --install --json" ;;
    checksum) options="--output --json" ;;
    check) options="--install --level --compact-doc --quiet --json" ;;
  esac
  if [[ $cur == -* ]]; then
    COMPREPLY=($(compgen -W "$options --help" -- "$cur"))
  elif [[ $sub == checksum ]]; then
    COMPREPLY=($(compgen -f -- "$cur"))
  fi
}
complete -F _zoltoc zoltoc
