#!/usr/bin/env bash
# Checks the naming rule of .clang-tidy over the production sources of a
# configured build's compile database (tests/ and generated sources are left
# out). Prints each finding once and fails when there is any.
# Usage: tools/naming-check.sh [BUILD_DIR] [JOBS]
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd -P)"
build="${1:-build}"
jobs="${2:-2}"
folders='bench|geometry|host|options|platform|plugin|router|sheet|ui|workbench'

if [ ! -f "$build/compile_commands.json" ]; then
    echo "error: $build/compile_commands.json is missing; configure the build first (make configure)" >&2
    exit 1
fi

log="$(mktemp)"
trap 'rm -f "$log"' EXIT
status=0
run-clang-tidy -j"$jobs" -p "$build" -quiet "^$root/($folders)/" >"$log" 2>&1 || status=$?

# A finding in a header comes once for every source that includes it.
findings="$(sed 's/\x1b\[[0-9;]*m//g' "$log" |
    grep -E '^[^ ]+:[0-9]+:[0-9]+: (error|warning):' | sort -u || true)"
if [ -n "$findings" ]; then
    echo "$findings"
    echo "naming-check: $(wc -l <<<"$findings") finding(s); the rule is in .clang-tidy" >&2
    exit 1
fi
if [ "$status" -ne 0 ]; then
    cat "$log"
    echo "naming-check: clang-tidy failed" >&2
    exit 1
fi
echo "naming-check: $(grep -oE -- "-quiet $root/($folders)/" "$log" | wc -l) sources follow the naming rule"
