#!/bin/bash
# Runs every fuzz target (or those named) for SECONDS each, FUZZ_JOBS (default 2) at a time, from its seeds in
# tests/fuzz/corpus plus what earlier runs in this build found. Prints each target's executions and
# coverage; exits non-zero when any target finds a crash, a leak, a hang or undefined behaviour, whose
# input is then in BUILD/fuzz-findings.
#
#   tests/fuzz/run.sh BUILD SECONDS [TARGET...]
set -eu
build=$(cd "$1" && pwd)
seconds=$2
shift 2
here=$(cd "$(dirname "$0")" && pwd)
targets=${*:-"script system_files header bitmap palette wave midi bookmark read_record archive"}
mkdir -p "$build/fuzz-corpus" "$build/fuzz-findings" "$build/fuzz-logs"
export LSAN_OPTIONS="suppressions=$here/../lsan.supp:print_suppressions=0"

run_one() {
    target=$1
    work="$build/fuzz-corpus/$target"
    mkdir -p "$work"
    dict=""
    [ -f "$here/$target.dict" ] && dict="-dict=$here/$target.dict"
    log="$build/fuzz-logs/$target.log"
    # A run of one input that takes longer than 60 s is a hang; the engine's own time limit ends
    # every script long before that.
    if "$build/tests/fuzz/fuzz_$target" -max_total_time="$seconds" -timeout=60 -rss_limit_mb=4096 \
        -print_final_stats=1 $dict -artifact_prefix="$build/fuzz-findings/$target-" \
        "$work" "$here/corpus/$target" >"$log" 2>&1; then
        status=ok
    else
        status=FINDING
    fi
    execs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
    cov=$(grep -E '^#[0-9]+' "$log" | tail -1 | sed -n 's/.*cov: \([0-9]*\) ft: \([0-9]*\).*/\1 edges, \2 features/p')
    echo "$target: $status, ${execs:-?} executions in ${seconds} s, ${cov:-no coverage line}"
    [ "$status" = ok ] || { grep -E 'ERROR|SUMMARY|Test unit written' "$log" | head -5; return 1; }
}

failed=0
for target in $targets; do
    run_one "$target" &
    # Two at a time by default: the machines this runs on have two cores.
    if [ "$(jobs -p | wc -l)" -ge "${FUZZ_JOBS:-2}" ]; then wait -n 2>/dev/null || failed=1; fi
done
while [ "$(jobs -p | wc -l)" -gt 0 ]; do wait -n 2>/dev/null || failed=1; done
exit $failed
