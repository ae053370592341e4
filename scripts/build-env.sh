# What every command needs first (sourced): missing packages installed, Wine's settings, the
# build folder in $build, and torvane_configure to configure it for the mingw-w64 cross build (one
# configuration for every script, warnings as errors, so no script rebuilds what another built).
torvane_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
source "$torvane_root/scripts/deps.sh"
source "$torvane_root/scripts/wine-env.sh"
build="${TORVANE_BUILD_DIR:-$torvane_root/build}"

# torvane_configure [extra cmake arguments...]
torvane_configure() {
  cmake -S "$torvane_root" -B "$build" -DCMAKE_TOOLCHAIN_FILE="$torvane_root/cmake/mingw-w64-x86_64.cmake" \
        -DCMAKE_BUILD_TYPE=Release -DTORVANE_WERROR=ON "$@" >/dev/null
}
