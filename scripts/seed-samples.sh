#!/usr/bin/env bash
# Writes the sample files (kept as JSON in samples/) into a working folder,
# leaving files that are already there alone.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
work="$1"
cli="$root/build/src/cli/zorvik-cli"
mkdir -p "$work"
for json in "$root"/samples/*.json; do
  [ -e "$json" ] || continue
  out="$work/$(basename "${json%.json}")"
  [ -e "$out" ] || "$cli" load "$json" "$out"
done
[ -e "$work/test.doc" ] || cp "$root/data/test.doc" "$work/test.doc"
