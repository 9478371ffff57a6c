#!/usr/bin/env bash
# Builds the Debian package of Zandor into build-deb/ (or $ZANDOR_BUILD_DIR):
# a build with Debian's own compiler and linker flags (dpkg-buildflags, all
# hardening on), then `cpack -G DEB`. Arguments go to the configure step, for
# example -DZANDOR_BUILD_GUI=OFF for a package of the terminal tool alone.
# Install the result with: sudo apt install ./build-deb/zandor_*.deb
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/bootstrap.sh
build_dir=${ZANDOR_BUILD_DIR:-build-deb}

export DEB_BUILD_MAINT_OPTIONS=hardening=+all
cxx_flags="$(dpkg-buildflags --get CXXFLAGS) $(dpkg-buildflags --get CPPFLAGS)"
link_flags=$(dpkg-buildflags --get LDFLAGS)
# Build type None: the flags are Debian's alone, as a Debian package build has them.
cmake -S . -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=None -DZANDOR_WERROR=ON \
  -DZANDOR_BUILD_TESTS=OFF -DZANDOR_BUILD_BENCH=OFF \
  -DCMAKE_CXX_FLAGS="$cxx_flags" -DCMAKE_EXE_LINKER_FLAGS="$link_flags" "$@" >/dev/null
cmake --build "$build_dir" -j "$(nproc)"
rm -f "$build_dir"/zandor_*.deb
(cd "$build_dir" && cpack -G DEB)
ls "$build_dir"/zandor_*.deb
