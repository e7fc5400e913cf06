# Sourced by the benchmark scripts: stops with what to do when a program they run isn't built.
#   need_built TOOL...
need_built() {
  local tool
  for tool in "$@"; do
    [ -x "$tool" ] || { echo "bench: $tool is missing; build first (make build, bench/baseline.sh)" >&2; exit 1; }
  done
}
