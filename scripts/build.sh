#!/usr/bin/env bash
# Configures and builds the project. Usage: scripts/build.sh [BUILD_DIR] [cmake options...]
set -euo pipefail
raiz="$(cd "$(dirname "$0")/.." && pwd)"
build="${1:-$raiz/build}"
shift || true
cmake -S "$raiz" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" >/dev/null
cmake --build "$build" -j"$(nproc)"
