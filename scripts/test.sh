#!/usr/bin/env bash
# Installs what is needed, builds, and runs every test headless.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh
export QT_QPA_PLATFORM=offscreen
ctest --test-dir build --output-on-failure --parallel "$(nproc)" --timeout 600
# The Debian package: built, installed, checked and removed again.
scripts/check-package.sh
# The core's tests again, under AddressSanitizer and UndefinedBehaviorSanitizer.
scripts/test-sanitized.sh
