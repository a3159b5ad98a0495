#!/usr/bin/env bash
# Builds Quindel and runs its main job on the bundled sample content; the pictures it renders
# land in out/.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/deps.sh
build=${BUILD_DIR:-build}
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" -j "$(nproc)"
mkdir -p out
"$build/bin/quindel-demo" out resources/sample
