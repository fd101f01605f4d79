#!/usr/bin/env bash
# A short libFuzzer run of one target: prints its execution count and any finding, and
# fails when the fuzzer found something.
set -uo pipefail
fuzzer="$1" runs="$2" corpus="$3" name="$4"
scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT
"$fuzzer" -runs="$runs" -seed=1 -max_len=2048 -artifact_prefix="$scratch/" "$scratch" "$corpus" >"$scratch.log" 2>&1
status=$?
grep -E '^Done [0-9]+ runs' "$scratch.log" | sed "s/^/fuzz $name: /"
if [ $status -ne 0 ]; then tail -40 "$scratch.log"; fi
rm -f "$scratch.log"
exit $status
