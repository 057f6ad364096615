#!/usr/bin/env bash
# Builds the libFuzzer targets with clang in build-fuzz and runs each one
# briefly from its seed corpus. A crash, a sanitizer report or a failed check
# stops that fuzzer and fails the run; the input is left as crash-* in
# build-fuzz/findings/<name>/.
#   FUZZ_SECONDS  time per fuzzer (default 30)
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${PATHWICK_FUZZ_BUILD:-$root/build-fuzz}"
seconds="${FUZZ_SECONDS:-30}"
fuzzers=(fuzz_integer_text fuzz_settings fuzz_sheet_file fuzz_route)

cmake -S "$root" -B "$build" -DCMAKE_CXX_COMPILER=clang++-14 -DPATHWICK_FUZZ=ON \
    -DPATHWICK_SANITIZE=address,undefined -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_CXX_FLAGS=-fsanitize=fuzzer-no-link >/dev/null
cmake --build "$build" -j2 --target fuzzers

export ASAN_OPTIONS="halt_on_error=1:detect_leaks=1"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1"
export LSAN_OPTIONS="suppressions=$root/tools/lsan.supp"

status=0
for name in "${fuzzers[@]}"; do
    seeds="$root/tests/fuzz-corpus/${name#fuzz_}"
    # New inputs go to a scratch corpus, so the checked-in seeds stay small.
    corpus="$build/corpus/$name"
    findings="$build/findings/$name"
    mkdir -p "$corpus" "$findings"
    log="$build/findings/$name.log"
    echo "== $name (${seconds}s)"
    if "$build/bin/$name" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
        -max_len=4096 -print_final_stats=1 -artifact_prefix="$findings/" \
        "$corpus" "$seeds" >"$log" 2>&1; then
        grep -E '^stat::number_of_executed_units|^#[0-9]+ *DONE' "$log" | tail -2 || true
    else
        echo "$name FAILED; see $log"
        tail -40 "$log"
        status=1
    fi
done
exit $status
