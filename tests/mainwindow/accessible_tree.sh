#!/usr/bin/env bash
# accessible_tree.sh CORVALA: runs accessible_tree.py on a virtual display with a session bus of
# its own, where the AT-SPI bus starts on demand. Exits 77 (ctest shows the test as skipped,
# with the reason) where a part is not installed: scripts/install-deps.sh test installs them.
set -euo pipefail
program=${1:?usage: accessible_tree.sh CORVALA}
here=$(dirname "$0")
skip() { echo "SKIPPED: $1 is not installed (scripts/install-deps.sh test installs it)"; exit 77; }
command -v xvfb-run >/dev/null || skip "xvfb-run (xvfb)"
command -v xauth >/dev/null || skip "xauth"
command -v dbus-run-session >/dev/null || skip "dbus-run-session (dbus-bin)"
[ -x /usr/libexec/at-spi-bus-launcher ] || skip "the AT-SPI bus (at-spi2-core)"
/usr/bin/python3 -c 'import pyatspi' 2>/dev/null || skip "pyatspi (python3-pyatspi)"
# Root's session bus refuses nothing, and the program needs no home of its own. Two virtual
# displays started at once can race for one number, and a session bus can fail to come up on a
# loaded machine: a failed run is tried once more, so only a tree that lacks names fails twice.
check() { xvfb-run -a -s '-screen 0 1280x900x24' dbus-run-session -- /usr/bin/python3 -u "$here/accessible_tree.py" "$program"; }
check && exit 0
echo "The first run failed (above); once more:"
check
