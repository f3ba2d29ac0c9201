#!/usr/bin/env bash
# Line coverage of src/ by the test suites, with clang's source-based coverage.
#   1. builds everything in build-cov/ with clang-14 and
#      -fprofile-instr-generate -fcoverage-mapping,
#   2. runs every CTest suite; each process (the suites and the programs they
#      start: memvault-cli, ft450sim) writes its own profile,
#   3. merges the profiles and prints the line coverage of src/ as a whole and
#      per folder (src/core, src/cat, ...).
# Run by hand: scripts/coverage.sh [--keep] (without --keep, old profiles are
# removed first). Exits non-zero when the build or a suite fails; the figures
# are printed either way. MEMVAULT_COVERAGE_MIN (default 90) is the figure
# below which the script fails.
set -uo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$ROOT"
BUILD="$ROOT/build-cov"
PROFILES="$BUILD/profiles"
MIN="${MEMVAULT_COVERAGE_MIN:-90}"
JOBS="$(nproc)"

# clang-14 comes with install-deps.sh; the profile tools are in llvm-14.
if ! command -v clang++-14 >/dev/null 2>&1; then
  bash scripts/install-deps.sh || exit 1
fi
if ! command -v llvm-profdata-14 >/dev/null 2>&1 || ! command -v llvm-cov-14 >/dev/null 2>&1; then
  SUDO=()
  [ "$(id -u)" -ne 0 ] && SUDO=(sudo)
  export DEBIAN_FRONTEND=noninteractive
  echo "coverage: installing llvm-14"
  "${SUDO[@]}" apt-get update -q
  "${SUDO[@]}" apt-get install -y -q --no-install-recommends llvm-14 </dev/null || exit 1
fi

export CCACHE_BASEDIR="$ROOT" CCACHE_NOHASHDIR=true
flags="-fprofile-instr-generate -fcoverage-mapping"
gen=()
[ ! -f "$BUILD/CMakeCache.txt" ] && command -v ninja >/dev/null 2>&1 && gen=(-G Ninja)
cmake -S . -B "$BUILD" "${gen[@]}" -DCMAKE_BUILD_TYPE=Debug \
  -DCMAKE_CXX_COMPILER=clang++-14 \
  -DCMAKE_CXX_FLAGS="$flags" \
  -DCMAKE_EXE_LINKER_FLAGS="-fprofile-instr-generate" >/dev/null || exit 1
cmake --build "$BUILD" -j"$JOBS" || { echo "coverage: build failed" >&2; exit 1; }

[ "${1:-}" = "--keep" ] || rm -rf "$PROFILES"
mkdir -p "$PROFILES"
# One file per process (%p). Not %m: the suites share libraries, and pooled
# profiles of different programs would be merged into one corrupt file.
export LLVM_PROFILE_FILE="$PROFILES/%p.profraw"
ctest --test-dir "$BUILD" -j"$JOBS" --output-on-failure
tests_rc=$?

shopt -s nullglob
raw=("$PROFILES"/*.profraw)
if [ "${#raw[@]}" -eq 0 ]; then
  echo "coverage: no profiles were written" >&2
  exit 1
fi
# A process killed mid-write (a simulator ended by its test) leaves a partial
# profile: skip those rather than fail.
llvm-profdata-14 merge -sparse -failure-mode=all "${raw[@]}" -o "$BUILD/memvault.profdata" || exit 1

# Every instrumented program: the suites and the programs they run.
objects=()
for f in "$BUILD"/tests/* "$BUILD"/bin/*; do
  [ -f "$f" ] && [ -x "$f" ] && objects+=(-object "$f")
done

# Per-file line counts of src/ (generated moc files are in build-cov/, not src/).
# With ccache's base folder the paths come out as build-cov/../src/...
llvm-cov-14 export -summary-only -instr-profile="$BUILD/memvault.profdata" \
    "${objects[@]:1}" "$ROOT/src" >"$BUILD/coverage.json" 2>"$BUILD/coverage.err" || {
  cat "$BUILD/coverage.err" >&2
  exit 1
}
llvm-cov-14 show -format=html -output-dir="$BUILD/html" -instr-profile="$BUILD/memvault.profdata" \
    "${objects[@]:1}" "$ROOT/src" 2>/dev/null

echo
echo "Line coverage of src/ (details: build-cov/html/index.html)"
jq -r --arg root "$ROOT/src/" '
  [.data[0].files[]
   | .filename |= sub("/[^/]+/\\.\\./"; "/")
   | select(.filename | startswith($root))
   | {dir: (.filename | ltrimstr($root) | split("/") | if length > 1 then .[0] else "." end),
      count: .summary.lines.count, covered: .summary.lines.covered}]
  | (group_by(.dir)[]
     | {dir: .[0].dir, count: (map(.count) | add), covered: (map(.covered) | add)}
     | "  src/\(.dir)\t\(.covered)/\(.count)\t\(if .count > 0 then (.covered * 1000 / .count | floor) / 10 else 100 end) %"),
    ({count: (map(.count) | add), covered: (map(.covered) | add)}
     | "  src/ total\t\(.covered)/\(.count)\t\((.covered * 1000 / .count | floor) / 10) %")
' "$BUILD/coverage.json" | column -t -s $'\t'

total="$(jq -r --arg root "$ROOT/src/" '
  [.data[0].files[] | .filename |= sub("/[^/]+/\\.\\./"; "/")
   | select(.filename | startswith($root)) | .summary.lines]
  | ((map(.covered) | add) * 100 / (map(.count) | add) | floor)' "$BUILD/coverage.json")"
status=0
if [ "$tests_rc" -ne 0 ]; then
  echo "coverage: some suites failed (see above)" >&2
  status=1
fi
if [ "$total" -lt "$MIN" ]; then
  echo "coverage: src/ line coverage ${total} % is below ${MIN} %" >&2
  status=1
fi
exit "$status"
