# Sourced by the Wine scripts: the environment every Windows program of ours runs in.
export WINEDEBUG=-all
export WINEDLLOVERRIDES="winedbg.exe=d;winemenubuilder.exe=d;mscoree,mshtml="
export WINEARCH=win64
# No display unless a test brings its own (Xvfb).
[ "${QS_IN_XVFB:-}" = 1 ] || unset DISPLAY
