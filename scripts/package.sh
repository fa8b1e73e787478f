#!/usr/bin/env bash
# Builds the Debian package build/zorvik_<version>-1_<arch>.deb and prints its name.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/build.sh >/dev/null
(cd build && cpack -G DEB >/dev/null)
ls build/zorvik_*.deb
