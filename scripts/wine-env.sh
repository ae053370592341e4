# Shared Wine settings for the scripts (sourced, not run).
export WINEDEBUG=-all
# winedbg.exe off: a crashing test ends at once instead of waiting in the debugger.
export WINEDLLOVERRIDES="mscoree,mshtml,winemenubuilder.exe,winedbg.exe=d"
export WINEARCH=win64
WINE_LOADER=/usr/lib/wine/wine64
[ -x "$WINE_LOADER" ] || WINE_LOADER=$(command -v wine64 || command -v wine)
WINE_SERVER=/usr/lib/wine/wineserver64
[ -x "$WINE_SERVER" ] || WINE_SERVER=$(command -v wineserver64 || command -v wineserver)
export WINE_LOADER WINE_SERVER
