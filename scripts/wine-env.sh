# Sourced: the environment every Wine process of this project runs in.
#   . scripts/wine-env.sh BUILD_DIR
export WINEPREFIX="$1/wineprefix"
export WINEARCH=win32
export LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8
export WINEDEBUG=${WINEDEBUG:--all}
# No Mono, Gecko or desktop menu entries: none is needed and their installers would ask.
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"

# A Linux path as Wine's Z: drive shows it.
winepath_of() { printf 'Z:%s' "$(printf '%s' "$1" | tr '/' '\\')"; }
