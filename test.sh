#!/usr/bin/env bash
# Builds Zel and runs every test; exits non-zero on any failure.
set -euo pipefail
cd "$(dirname "$0")"
tools/install-deps.sh
cmake --preset default >/dev/null
cmake --build --preset default
ctest --preset default -j2
