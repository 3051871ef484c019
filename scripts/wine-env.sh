# Sourced: the environment every Wine run of this project uses. A private prefix inside the build
# folder, quiet, offline (no Mono or Gecko install prompts).
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
export WINEPREFIX=${WINEPREFIX:-$root/build/wineprefix}
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES="mscoree,mshtml="
export WINEARCH=win64
