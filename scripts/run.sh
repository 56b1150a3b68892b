#!/usr/bin/env bash
# Installs what is missing, builds Tavrello and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build --target Tavrellix -j"$(nproc)"
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "Tavrello needs a graphical desktop: neither DISPLAY nor WAYLAND_DISPLAY is set." >&2
  exit 1
fi
exec build/Tavrellix
