#!/usr/bin/env bash
# Builds Quindel and runs its main job on the bundled sample content. The headless demo clicks
# through the panel and renders its pictures into out/; then the Qt viewer starts: on the display
# when there is one, else offscreen, writing pictures of its window and of an open list window
# into out/.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/deps.sh
build=${BUILD_DIR:-build}
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" -j "$(nproc)"
mkdir -p out
"$build/bin/quindel-demo" out resources/sample
if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
  exec "$build/bin/quindel-viewer" resources/sample
fi
# Qt wants a private runtime folder even offscreen.
if [ -z "${XDG_RUNTIME_DIR:-}" ]; then
  mkdir -p -m 700 "$build/runtime"
  XDG_RUNTIME_DIR=$(cd "$build/runtime" && pwd)
  export XDG_RUNTIME_DIR
fi
QT_QPA_PLATFORM=offscreen "$build/bin/quindel-viewer" resources/sample --shots out
