#!/usr/bin/env bash
# Installs what is needed, builds, seeds a working folder with sample tests,
# parameters and a journal, and starts Zorvik there.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh
work="${ZORVIK_WORK:-$PWD/work}"
scripts/seed-samples.sh "$work"
cd "$work"
exec "$OLDPWD/build/src/app/zorvik" "$@"
