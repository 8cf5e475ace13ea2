# Sourced by scripts/test --sanitize and scripts/soak: builds Vitrina with the address and
# undefined-behaviour sanitizers into build-sanitize/ and sets the sanitizers' options.
# Every report of every process (tests, the kit, the launcher they start) is written to
# $sanitizer_reports, so one ignored exit status cannot hide a fault.

sanitize_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
sanitize_build=${VITRINA_SANITIZE_BUILD_DIR:-$sanitize_root/build-sanitize}
sanitizer_reports=$sanitize_build/sanitizer-reports

sanitize_ensure_clang() {
  if command -v clang++ >/dev/null 2>&1 && [ -n "$(ls /usr/lib/llvm-*/lib/clang/*/lib/linux/libclang_rt.asan-x86_64.a 2>/dev/null)" ]; then
    return 0
  fi
  local sudo=""
  if [ "$(id -u)" -ne 0 ]; then sudo=sudo; fi
  echo "sanitizers: installing clang and its sanitizer runtimes"
  export DEBIAN_FRONTEND=noninteractive
  if ! $sudo apt-get install -y --no-install-recommends clang libclang-rt-14-dev; then
    $sudo apt-get update
    $sudo apt-get install -y --no-install-recommends clang libclang-rt-14-dev
  fi
}

sanitize_configure_and_build() {
  "$sanitize_root/scripts/install-deps"
  sanitize_ensure_clang
  if [ ! -f "$sanitize_build/CMakeCache.txt" ]; then
    # -O1 keeps the instrumented suite quick to build and run while stacks stay readable.
    CC=clang CXX=clang++ cmake -S "$sanitize_root" -B "$sanitize_build" -G Ninja \
      -DCMAKE_BUILD_TYPE=Debug -DCMAKE_C_FLAGS_DEBUG="-O1 -g" -DCMAKE_CXX_FLAGS_DEBUG="-O1 -g" \
      -DVITRINA_SANITIZE=ON -DVITRINA_BUILD_BENCHMARKS=OFF
  fi
  cmake --build "$sanitize_build" -j2 "$@"
}

sanitize_export_options() {
  rm -rf "$sanitizer_reports"
  mkdir -p "$sanitizer_reports"
  local supp=$sanitize_root/tests/sanitizers
  export ASAN_OPTIONS="detect_leaks=1:halt_on_error=1:check_initialization_order=1:log_path=$sanitizer_reports/report"
  export LSAN_OPTIONS="suppressions=$supp/lsan.supp:print_suppressions=0"
  export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1:log_path=$sanitizer_reports/report"
}

# Prints every report written since sanitize_export_options; fails when there is one.
sanitize_check_reports() {
  local files
  files=$(find "$sanitizer_reports" -type f -size +0 2>/dev/null | sort)
  if [ -z "$files" ]; then
    echo "sanitizers: no report"
    return 0
  fi
  echo "sanitizers: $(echo "$files" | wc -l) report(s):"
  local f
  for f in $files; do
    echo "==== $f"
    head -c 20000 "$f"
  done
  return 1
}
