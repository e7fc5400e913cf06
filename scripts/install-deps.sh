#!/usr/bin/env bash
# Installs the Debian packages that a make target needs, and only those that are missing.
# Usage: scripts/install-deps.sh build|run|bench|fuzz|shots
set -euo pipefail

# Printing needs nothing of its own: qt6-base-dev brings Qt's print support and its CUPS
# library (libcups2); with no print server the print dialog still prints to a PDF file.
packages=(cmake make g++ pkgconf qt6-base-dev libgl-dev libgtest-dev libgmock-dev
          fonts-liberation2 fonts-dejavu-core)
case "${1:-build}" in
  build) packages+=(poppler-utils) ;;   # the tests read printed PDF files back
  run) ;;
  bench) packages+=(unrtf time poppler-utils libreoffice-writer-nogui) ;;
  fuzz)  packages+=(clang libclang-rt-14-dev) ;;
  shots) packages+=(xvfb xauth xdotool imagemagick x11-utils openbox) ;;
  *) echo "usage: $0 build|run|bench|fuzz|shots" >&2; exit 2 ;;
esac

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
if [ "$(id -u)" -eq 0 ]; then
  sudo=()
elif command -v sudo >/dev/null 2>&1; then
  sudo=(sudo)
else
  echo "These packages are missing and installing them needs root: ${missing[*]}" >&2
  exit 1
fi
export DEBIAN_FRONTEND=noninteractive
"${sudo[@]}" apt-get update -qq
"${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
