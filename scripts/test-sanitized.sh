#!/usr/bin/env bash
# Builds the core's tests and zorvik-cli with AddressSanitizer and
# UndefinedBehaviorSanitizer into build-asan/ and runs them there.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DZORVIK_SANITIZE=ON -DZORVIK_WERROR=ON >/dev/null
targets=(zorvik-cli)
for t in tests/core/tst_*.cpp; do targets+=("$(basename "${t%.cpp}")"); done
cmake --build build-asan --parallel "$(nproc)" --target "${targets[@]}"
# Qt keeps some allocations to the end of the process: leaks are not judged.
export ASAN_OPTIONS=detect_leaks=0:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1
export QT_QPA_PLATFORM=offscreen
ctest --test-dir build-asan --output-on-failure --parallel "$(nproc)" --timeout 900 \
  -R "^($(IFS='|'; echo "${targets[*]:1}"))\$"
