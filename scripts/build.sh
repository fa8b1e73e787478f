#!/usr/bin/env bash
# Configures and builds into build/ (warnings are errors here, so they stay at zero).
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZORVIK_WERROR=ON >/dev/null
cmake --build build --parallel "$(nproc)"
