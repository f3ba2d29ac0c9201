#!/usr/bin/env bash
# Installs what is missing, builds MEMVAULT and runs every test:
#   1. the normal build (build/) and all its CTest suites, then the Debian
#      package built from it and checked (scripts/check-package.sh),
#   2. a build with AddressSanitizer + UndefinedBehaviorSanitizer (build-asan/)
#      and all its suites,
#   3. the libFuzzer targets (build-fuzz/, clang-14), each for a bounded time,
#   4. the layout of the C++ code (scripts/format.sh --check).
# Window tests run on Qt's offscreen platform: no X server is needed.
# Exits non-zero when any step fails. MEMVAULT_FUZZ_SECONDS sets the time per
# fuzz target (default 20).
set -uo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$ROOT"

JOBS="$(nproc)"
# Let ccache share results between clones in different folders (CI builds in a
# fresh clone).
export CCACHE_BASEDIR="$ROOT" CCACHE_NOHASHDIR=true
FUZZ_SECONDS="${MEMVAULT_FUZZ_SECONDS:-20}"
LOGDIR="$ROOT/build-logs"
mkdir -p "$LOGDIR"
START=$(date +%s)

passed=0
failed=0
problems=()

section() {
  printf '\n======== %s ========\n' "$*"
}
elapsed() {
  echo "($(( $(date +%s) - START )) s since start)"
}
note_failure() {
  problems+=("$1")
}

generator() {
  if [ ! -f "$1/CMakeCache.txt" ] && command -v ninja >/dev/null 2>&1; then
    echo "-G Ninja"
  fi
}

# configure_and_build DIR TARGET... -- CMAKE_ARGS...
build_tree() {
  local dir="$1"; shift
  local targets=()
  while [ "$#" -gt 0 ] && [ "$1" != "--" ]; do targets+=(--target "$1"); shift; done
  [ "$#" -gt 0 ] && shift
  # shellcheck disable=SC2046
  cmake -S . -B "$dir" $(generator "$dir") "$@" || return 1
  cmake --build "$dir" -j"$JOBS" "${targets[@]}" || return 1
}

# run_ctest DIR LABEL: runs every suite, adds its counts to the totals.
run_ctest() {
  local dir="$1" label="$2" log="$LOGDIR/ctest-$2.log"
  ctest --test-dir "$dir" --output-on-failure -j"$JOBS" 2>&1 | tee "$log"
  local rc=${PIPESTATUS[0]}
  local line total bad
  line="$(grep -E 'tests passed, [0-9]+ tests? failed out of [0-9]+' "$log" | tail -1)"
  if [ -n "$line" ]; then
    bad="$(sed -E 's/.* ([0-9]+) tests? failed out of ([0-9]+).*/\1/' <<<"$line")"
    total="$(sed -E 's/.* failed out of ([0-9]+).*/\1/' <<<"$line")"
    passed=$((passed + total - bad))
    failed=$((failed + bad))
  fi
  if [ "$rc" -ne 0 ] || [ -z "$line" ]; then
    [ -z "$line" ] && failed=$((failed + 1))
    note_failure "$label tests"
  fi
}

section "Dependencies"
if ! bash scripts/install-deps.sh test; then
  echo "test.sh: installing the dependencies failed" >&2
  exit 1
fi

section "Build (build/)"
if build_tree build -- -DCMAKE_BUILD_TYPE=RelWithDebInfo; then
  elapsed
  section "Tests (build/)"
  run_ctest build plain
  elapsed
  section "Debian package (build/)"
  if bash scripts/check-package.sh build 2>&1 | tee "$LOGDIR/package.log"; then
    passed=$((passed + 1))
  else
    failed=$((failed + 1))
    note_failure "Debian package (log: $LOGDIR/package.log)"
  fi
else
  note_failure "build"
  failed=$((failed + 1))
fi
elapsed

section "Build with AddressSanitizer and UndefinedBehaviorSanitizer (build-asan/)"
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1:strict_string_checks=1:detect_stack_use_after_return=1"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
export LSAN_OPTIONS="suppressions=$ROOT/scripts/lsan-suppressions.txt:print_suppressions=0"
if build_tree build-asan -- -DCMAKE_BUILD_TYPE=Debug -DMEMVAULT_SANITIZE=ON; then
  elapsed
  section "Tests under the sanitizers (build-asan/)"
  run_ctest build-asan sanitizers
else
  note_failure "sanitizer build"
  failed=$((failed + 1))
fi
elapsed

section "Fuzz targets (build-fuzz/, clang-14, ${FUZZ_SECONDS} s each)"
FUZZ_TARGETS=(fillmemory memoryfile descriptions csv)
if build_tree build-fuzz fuzz_all -- -DCMAKE_BUILD_TYPE=RelWithDebInfo -DMEMVAULT_FUZZ=ON \
     -DMEMVAULT_BUILD_GUI=OFF -DCMAKE_CXX_COMPILER=clang++-14; then
  for t in "${FUZZ_TARGETS[@]}"; do
    section "Fuzzing $t"
    work="build-fuzz/corpus-run/$t"
    rm -rf "$work" && mkdir -p "$work"
    log="$LOGDIR/fuzz-$t.log"
    if build-fuzz/fuzz/fuzz_"$t" "$work" "tests/fuzz/corpus/$t" -max_total_time="$FUZZ_SECONDS" \
         -max_len=4096 -timeout=10 -rss_limit_mb=2048 -artifact_prefix="build-fuzz/crash-$t-" \
         -print_final_stats=1 >"$log" 2>&1; then
      tail -n 12 "$log"
      passed=$((passed + 1))
      echo "fuzz_$t: no failure in ${FUZZ_SECONDS} s"
    else
      tail -n 80 "$log"
      failed=$((failed + 1))
      note_failure "fuzz_$t (inputs: build-fuzz/crash-$t-*, log: $log)"
    fi
  done
else
  note_failure "fuzz build"
  failed=$((failed + 1))
fi

section "Code layout (scripts/format.sh --check)"
if bash scripts/format.sh --check; then
  passed=$((passed + 1))
else
  failed=$((failed + 1))
  note_failure "code layout (run scripts/format.sh)"
fi

section "Summary"
elapsed
if [ "${#problems[@]}" -gt 0 ]; then
  printf 'failed: %s\n' "${problems[@]}"
fi
echo "Total: $passed passed, $failed failed"
[ "$failed" -eq 0 ] && [ "${#problems[@]}" -eq 0 ]
