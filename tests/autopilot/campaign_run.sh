#!/usr/bin/env bash
# One new player through the campaign with the autopilot, shop and settlement included:
# fails unless every level is completed (the ending after the last one included), and unless
# the resident memory after every level stays within 1 MB of the memory after the first.
#   campaign_run.sh TOOL LEVELS RSS-BOUND.AWK
set -euo pipefail
tool="$1" levels="$2" bound="$3"
err=$(mktemp)
trap 'rm -f "$err"' EXIT
status=0
"$tool" autoplay-campaign --levels "$levels" --rss 2>"$err" || status=$?
grep -v '^level ' "$err" >&2 || true
if [ "$status" -ne 0 ]; then
    echo "campaign: autoplay-campaign exited with $status" >&2
    exit 1
fi
awk -f "$bound" "$err"
