#!/usr/bin/env bash
# Installs what the build needs, builds a preset (release by default) and runs every test.
# Usage: scripts/test.sh [release|debug|asan]
set -euo pipefail
cd "$(dirname "$0")/.."
preset=${1:-release}
scripts/install-deps.sh
cmake --preset "$preset" >/dev/null
cmake --build --preset "$preset"
ctest --preset "$preset" -j2
