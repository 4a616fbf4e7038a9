#!/usr/bin/env bash
# Rebuilds Ico/ from the programs' own painting code (tools/icons/make_icons.cpp).
set -euo pipefail
root="$(cd "$(dirname "$0")/../.." && pwd)"
out="$(mktemp -d)"
trap 'rm -rf "$out"' EXIT
g++ -std=c++17 -fPIC -I"$root/src" $(pkg-config --cflags Qt6Gui) \
  "$root/tools/icons/make_icons.cpp" "$root/src/widgets/default_icons.cpp" \
  -o "$out/make_icons" $(pkg-config --libs Qt6Gui)
mkdir -p "$root/Ico"
QT_QPA_PLATFORM=offscreen "$out/make_icons" "$root"
ls -l "$root/Ico"
