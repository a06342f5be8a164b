#!/usr/bin/env bash
# Builds Zel and starts the ticker.
set -euo pipefail
cd "$(dirname "$0")"
tools/install-deps.sh
cmake --preset default >/dev/null
cmake --build --preset default --target zel
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    echo "Zel is a desktop program and needs a display: run it from a desktop session" >&2
    echo "(or under Xvfb, e.g. 'xvfb-run ./run.sh')." >&2
    exit 1
fi
exec build/zel
