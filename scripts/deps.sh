# Installs what building and testing need, when it is missing (sourced by the scripts).
torvane_packages=(cmake make g++-mingw-w64-x86-64-posix wine64 xvfb xdotool x11-utils imagemagick zip clang
                  googletest fonts-dejavu-core fonts-liberation fonts-jetbrains-mono util-linux bc)
torvane_missing=()
for p in "${torvane_packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || torvane_missing+=("$p")
done
if [ ${#torvane_missing[@]} -gt 0 ]; then
  echo "Installing: ${torvane_missing[*]}"
  sudo_cmd=""; [ "$(id -u)" -ne 0 ] && sudo_cmd="sudo"
  $sudo_cmd apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo_cmd apt-get install -y -qq --no-install-recommends "${torvane_missing[@]}" >/dev/null
fi
unset torvane_packages torvane_missing p sudo_cmd
