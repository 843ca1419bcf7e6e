#!/bin/bash
# Runs every fuzz target of tests/fuzz for a while, one after the other, and keeps in its
# corpus (tests/fuzz/corpus/<target>) the new inputs that reach code the corpus did not.
# Usage: fuzz.sh [seconds per target (default 60)] [target...]
#        fuzz.sh --runs N [target...]     (N executions per target instead of a time)
# Builds the fuzz tree build/fuzz with clang first (scripts/setup.sh installs clang).
# Each run's executions go to build/fuzz/fuzz-log.txt.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$root/build/fuzz
limit=(-max_total_time=60)
if [ "${1:-}" = "--runs" ]; then
    limit=(-runs="$2")
    shift 2
elif [ $# -gt 0 ] && [[ $1 =~ ^[0-9]+$ ]]; then
    limit=(-max_total_time="$1")
    shift
fi

cmake -S "$root" -B "$build" -G "Unix Makefiles" -Wno-dev -DCMAKE_CXX_COMPILER=clang++ \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVESK_FUZZ=ON -DVESK_TEST_PREFIX=fuzz. >/dev/null
cmake --build "$build" -j "$(nproc)" -- --no-print-directory >/dev/null

targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
    targets=($(cd "$root/tests/fuzz/corpus" && ls))
fi
# Allocation stacks are left out of reports for speed; a crash input saved in build/fuzz
# reproduces with them when run again alone.
export ASAN_OPTIONS=${ASAN_OPTIONS:-malloc_context_size=0}
for target in "${targets[@]}"; do
    corpus=$root/tests/fuzz/corpus/$target
    scratch=$build/runs/$target
    rm -rf "$scratch"
    mkdir -p "$scratch"
    echo "== $target"
    out=$build/runs/$target.log
    (cd "$build" && nice -n 10 "$build/tests/fuzz/$target" "${limit[@]}" -max_len=4096 \
        -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 "$scratch" "$corpus") >"$out" 2>&1 ||
        { tail -n 40 "$out"; exit 1; }
    executions=$(grep -a 'stat::number_of_executed_units' "$out" | awk '{print $2}')
    rate=$(grep -a 'stat::average_exec_per_sec' "$out" | awk '{print $2}')
    # Only what adds coverage joins the corpus.
    (cd "$build" && "$build/tests/fuzz/$target" -merge=1 -max_len=4096 "$corpus" "$scratch") \
        >"$out.merge" 2>&1
    files=$(ls "$corpus" | wc -l)
    echo "$target: $executions executions, $rate/s, corpus $files files ($(du -sh "$corpus" | cut -f1))"
    printf '%s\t%s\t%s\t%s\n' "$(date -u +%F.%T)" "$target" "$executions" "$rate" \
        >>"$build/fuzz-log.txt"
done
