#!/usr/bin/env bash
# shellcheck source-path=SCRIPTDIR
# The terminal tool alone, for servers: a build without the window (and with
# Qt's package hidden from CMake) builds zandor-find, installs it with its man
# page and completions and nothing of the window, and packages it without Qt.
# The test command's own build without the window is reused when it names
# it (ZANDOR_TERMINAL_ONLY_BUILD, a build configured with the window off and
# Qt hidden); otherwise the build folder is kept inside the main build, so
# that a second run only checks that it is up to date.
source "$(dirname "$0")/lib.sh"

build=${ZANDOR_TERMINAL_ONLY_BUILD:-}
if [ -n "$build" ]; then
    # A -D without a type is cached as UNINITIALIZED.
    grep -qxE 'ZANDOR_BUILD_GUI:[A-Z]+=OFF' "$build/CMakeCache.txt" &&
        grep -qxE 'CMAKE_DISABLE_FIND_PACKAGE_Qt6:[A-Z]+=ON' "$build/CMakeCache.txt" ||
        { echo "$build is not a build without the window and with Qt hidden" >&2; exit 1; }
    echo "note: reusing the build without the window in $build"
else
    build="$ZANDOR_BUILD_DIR/terminal-only"
    cmake -S "$ZANDOR_SOURCE_DIR" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        -DZANDOR_BUILD_GUI=OFF -DZANDOR_BUILD_TESTS=OFF -DZANDOR_BUILD_BENCH=OFF -DZANDOR_WERROR=ON \
        -DCMAKE_DISABLE_FIND_PACKAGE_Qt6=ON >"$scratch/configure.log" 2>&1 ||
        { cat "$scratch/configure.log" >&2; echo "configuring without the window failed" >&2; exit 1; }
    # One job: the test runs beside the others on a shared machine.
    cmake --build "$build" -j 1 >"$scratch/build.log" 2>&1 ||
        { tail -50 "$scratch/build.log" >&2; echo "building without the window failed" >&2; exit 1; }
fi

prefix=$(install_tree "$build")
expect_same "the files of a terminal-only install" "$(expected_files OFF)" "$(files_below "$prefix")"
expect_same "the terminal-only zandor-find --version" "zandor-find $ZANDOR_VERSION" \
    "$("$prefix/bin/zandor-find" --version)"
expect_same "the Qt libraries the terminal-only zandor-find loads" "" \
    "$(ldd "$prefix/bin/zandor-find" | grep -i qt || true)"

if command -v dpkg-shlibdeps >/dev/null; then
    cpack -G DEB --config "$build/CPackConfig.cmake" -B "$scratch/deb" >"$scratch/cpack.log" 2>&1 ||
        { cat "$scratch/cpack.log" >&2; fail "cpack failed on the terminal-only build"; }
    debs=("$scratch"/deb/zandor_*.deb)
    deb=${debs[0]}
    if [ -f "$deb" ]; then
        expect_same "the Qt packages the terminal-only package depends on" "" \
            "$(dpkg-deb -f "$deb" Depends | tr ',' '\n' | grep -i qt || true)"
    else
        fail "cpack made no .deb from the terminal-only build"
    fi
else
    echo "note: dpkg-shlibdeps is missing: the terminal-only package is not built"
fi
finish
