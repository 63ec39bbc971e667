#!/usr/bin/env bash
# run-target.sh TARGET CORPUS SCRATCH SECONDS: a bounded fuzz run that leaves the
# checked-in corpus untouched (new inputs go to a scratch copy). QUORREL_FUZZ_SECONDS
# overrides the duration.
set -euo pipefail
target=$1 corpus=$2 scratch=$3 seconds=${QUORREL_FUZZ_SECONDS:-$4}
rm -rf "$scratch"
mkdir -p "$scratch/corpus" "$scratch/artifacts"
[ -d "$corpus" ] && cp -r "$corpus/." "$scratch/corpus/"
exec "$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
  -artifact_prefix="$scratch/artifacts/" -print_final_stats=1 "$scratch/corpus"
