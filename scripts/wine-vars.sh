# Sourced with a build folder as $1: the environment every Wine process of
# that build runs in (its own prefix, no debug noise, no runtime-install
# prompts, and the display of the running test session when none is set).
wine_build=$1
export WINEPREFIX="$wine_build/wineprefix"
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES="mscoree,mshtml="
if [ -z "${DISPLAY:-}" ] && [ -f "$wine_build/wine/display" ]; then
  export DISPLAY=$(cat "$wine_build/wine/display")
fi
