#!/bin/sh
# Builds the module in Release and installs the bundle where Linux VST3 hosts look for it.
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/deps.sh" build

build="$root/build/release"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DQZ_BUILD_TESTS=OFF
cmake --build "$build" --target qz_module

destination="$HOME/.vst3"
mkdir -p "$destination"
rm -rf "$destination/qz TORVIQ.vst3"
cp -R "$build/qz TORVIQ.vst3" "$destination/"
echo "installed: $destination/qz TORVIQ.vst3"
