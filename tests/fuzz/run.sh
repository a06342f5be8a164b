#!/usr/bin/env bash
# Builds the fuzz targets and runs each for ZEL_FUZZ_SECONDS (60 by default;
# fuzz_filehelper a quarter of it), seeded from corpus/<target>. New inputs
# go to a scratch corpus, never into the checked-in one. Exits non-zero on
# any finding; the failing input is then kept in $ZEL_FUZZ_ARTIFACTS
# (build-fuzz/artifacts by default).
set -euo pipefail
cd "$(dirname "$0")/../.."

seconds=${ZEL_FUZZ_SECONDS:-60}
artifacts=${ZEL_FUZZ_ARTIFACTS:-$PWD/build-fuzz/artifacts}
targets=(textdecoder pagedecoder flatten webaddress filehelper)

tools/install-deps.sh
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
mkdir -p "$artifacts"
for target in "${targets[@]}"; do
    mkdir "$scratch/$target"
    # fuzz_filehelper decodes as fuzz_textdecoder does; its own part, the
    # reading and the size limit, needs a quarter of the time.
    run_seconds=$seconds
    [ "$target" = filehelper ] && run_seconds=$(((seconds + 3) / 4))
    dict=tests/fuzz/dict/$target.dict
    options=(-max_total_time="$run_seconds" -timeout=10 -print_final_stats=1
             -artifact_prefix="$artifacts/$target-")
    [ -f "$dict" ] && options+=(-dict="$dict")
    echo "== fuzz_$target for ${run_seconds} s"
    build-fuzz/tests/fuzz/fuzz_"$target" "${options[@]}" "$scratch/$target" \
        "tests/fuzz/corpus/$target" 2>"$scratch/$target.log" ||
        { tail -n 60 "$scratch/$target.log"; exit 1; }
    grep -E '^(#[0-9]+[[:space:]]+DONE|stat::(number_of_executed_units|average_exec_per_sec))' \
        "$scratch/$target.log"
done
