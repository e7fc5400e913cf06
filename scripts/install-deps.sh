#!/usr/bin/env bash
# Installs the Debian packages that a make target needs, and only those that are missing.
# Usage: scripts/install-deps.sh TARGET...   (build, run, test, interop, deb, bench, fuzz, shots)
# apt's own output goes to a log that is shown only when the installation fails.
set -euo pipefail

# Printing needs nothing of its own: qt6-base-dev brings Qt's print support and its CUPS
# library (libcups2); with no print server the print dialog still prints to a PDF file.
# What every build needs: the compiler, Qt, zlib and GoogleTest (the tests are configured with the
# program), the fonts that stand in for Arial, and Hunspell with the English dictionary
# (spelling; its tests judge English words).
build_packages=(cmake make g++ pkgconf qt6-base-dev qt6-base-private-dev libgl-dev zlib1g-dev libgtest-dev libgmock-dev
                fonts-liberation2 fonts-dejavu-core libhunspell-dev hunspell-en-us)
# One list per target, added to the build's.
run_packages=()
# The tests read printed PDF files back, and read the window's accessible tree through AT-SPI on
# a virtual display with a session bus of their own.
test_packages=(poppler-utils xvfb xauth dbus-bin at-spi2-core python3-pyatspi)
interop_packages=(libreoffice-writer-nogui)   # LibreOffice reads what Corvala writes
deb_packages=(dpkg-dev file)
bench_packages=(unrtf time poppler-utils libreoffice-writer-nogui)
fuzz_packages=(clang libclang-rt-14-dev)
shots_packages=(xvfb xauth xdotool imagemagick x11-utils openbox)

targets=("$@")
[ ${#targets[@]} -eq 0 ] && targets=(build)
packages=("${build_packages[@]}")
for target in "${targets[@]}"; do
  case "$target" in
    build) ;;
    run)   packages+=("${run_packages[@]}") ;;
    test)  packages+=("${test_packages[@]}") ;;
    interop) packages+=("${interop_packages[@]}") ;;
    deb)   packages+=("${deb_packages[@]}") ;;
    bench) packages+=("${bench_packages[@]}") ;;
    fuzz)  packages+=("${fuzz_packages[@]}") ;;
    shots) packages+=("${shots_packages[@]}") ;;
    *) echo "usage: $0 build|run|test|interop|deb|bench|fuzz|shots..." >&2; exit 2 ;;
  esac
done

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

install_command="apt-get update && apt-get install -y --no-install-recommends ${missing[*]}"

# Root installs directly; anyone else through sudo, but only where sudo can ask for a password
# (a terminal) or needs none: without either it would fail halfway through.
if [ "$(id -u)" -eq 0 ]; then
  sudo=()
elif command -v sudo >/dev/null 2>&1 && { [ -t 0 ] || sudo -n true 2>/dev/null; }; then
  sudo=(sudo)
else
  echo "Corvala needs Debian packages that are not installed: ${missing[*]}" >&2
  echo "Install them as root, then run make again:" >&2
  if command -v sudo >/dev/null 2>&1; then
    echo "  sudo sh -c '$install_command'" >&2
  else
    echo "  su -c '$install_command'" >&2
  fi
  exit 1
fi

log=$(mktemp "${TMPDIR:-/tmp}/corvala-install-deps.XXXXXX.log")
# step TEXT COMMAND...: one line for the step; apt's output only if it fails.
step() {
  local text=$1
  shift
  echo "$text"
  if ! "$@" >>"$log" 2>&1; then
    cat "$log" >&2
    echo "Failed: $text (apt's output, above, is kept in $log)" >&2
    exit 1
  fi
}

export DEBIAN_FRONTEND=noninteractive
step "Updating the package lists..." "${sudo[@]}" apt-get update
step "Installing the missing packages: ${missing[*]}..." \
  "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive \
  apt-get install -y --no-install-recommends -o Dpkg::Use-Pty=0 "${missing[@]}"
rm -f "$log"
