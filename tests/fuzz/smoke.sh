#!/usr/bin/env bash
# A short libFuzzer run of one target: prints its execution count and any finding, and
# fails when the fuzzer found something. Arguments: fuzzer, runs, corpus, name.
set -uo pipefail
scratch="$(mktemp -d)" && trap 'rm -rf "$scratch"' EXIT
"$1" -runs="$2" -seed=1 -max_len=2048 -artifact_prefix="$scratch/" "$scratch" "$3" >"$scratch/log" 2>&1
status=$?
grep -E '^Done [0-9]+ runs' "$scratch/log" | sed "s/^/fuzz $4: /"
[ $status -eq 0 ] || tail -40 "$scratch/log"
exit $status
