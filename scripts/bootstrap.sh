#!/usr/bin/env bash
# Installs what building, running and testing need on Debian 12; a no-op when
# everything is present.
#   scripts/bootstrap.sh          the build, the tests, the demo and its screenshots
#   scripts/bootstrap.sh --fuzz   also clang and its libFuzzer runtime (preset "fuzz")
# Installing needs root (or sudo).
set -euo pipefail
packages=(
  cmake ninja-build g++ make pkg-config
  googletest libgtest-dev libgmock-dev libbenchmark-dev
  g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
  wine wine64 xvfb xauth x11-utils x11-apps imagemagick
  python3 python3-pil
  # The skin images are drawn with DejaVu Sans and DejaVu Sans Condensed; Wine
  # draws the Chinese texts with WenQuanYi Micro Hei.
  fonts-dejavu-core fonts-dejavu-extra fonts-wqy-microhei
  nsis
  # JSON configuration files (header-only, also for the MinGW build).
  nlohmann-json3-dev
)
for arg in "$@"; do
  case "$arg" in
    --fuzz) packages+=(clang libclang-rt-14-dev) ;;
    *) echo "bootstrap: unknown option $arg (known: --fuzz)" >&2; exit 2 ;;
  esac
done
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

as_root=()
if [ "$(id -u)" -ne 0 ]; then
  if ! command -v sudo >/dev/null; then
    echo "bootstrap: missing ${missing[*]}; run scripts/bootstrap.sh as root to install them" >&2
    exit 1
  fi
  as_root=(sudo)
fi
echo "bootstrap: installing ${missing[*]}"
"${as_root[@]}" apt-get update -qq
"${as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
