#!/bin/sh
# Installs the Debian packages the build ("build") or the build and its tests ("test") need.
set -eu

build_packages="build-essential cmake ninja-build pkg-config juce-modules-source-data libexpat1-dev
    libxcb1-dev libcairo2-dev fonts-dejavu-core"
test_packages="googletest libgtest-dev libbenchmark-dev binutils xvfb libx11-dev libxtst-dev"

case "${1:-build}" in
    build) packages="$build_packages" ;;
    test) packages="$build_packages $test_packages" ;;
    *) echo "usage: $0 [build|test]" >&2; exit 2 ;;
esac

missing=""
for package in $packages; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" ||
        missing="$missing $package"
done
[ -z "$missing" ] && exit 0

if [ "$(id -u)" -eq 0 ]; then sudo=""; else sudo="sudo"; fi
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -q
# shellcheck disable=SC2086
$sudo apt-get install -y -q --no-install-recommends $missing
