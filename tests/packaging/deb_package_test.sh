#!/usr/bin/env bash
# shellcheck source-path=SCRIPTDIR
# The Debian package: `cpack -G DEB` makes it from this build where dpkg's tools
# are installed (it is skipped, saying so, where they are not). It holds the
# install tree below /usr, takes its library dependencies from dpkg-shlibdeps,
# and lintian, where installed, finds no error in it.
source "$(dirname "$0")/lib.sh"

for tool in cpack dpkg-deb dpkg-shlibdeps; do
    if ! command -v "$tool" >/dev/null; then
        echo "SKIPPED: the .deb is not built: $tool is missing (dpkg-dev, scripts/bootstrap.sh)"
        exit $SKIPPED
    fi
done

out="$scratch/deb"
cpack -G DEB --config "$ZANDOR_BUILD_DIR/CPackConfig.cmake" -B "$out" >"$scratch/cpack.log" 2>&1 ||
    { cat "$scratch/cpack.log" >&2; echo "cpack failed" >&2; exit 1; }
arch=$(dpkg --print-architecture)
deb="$out/zandor_${ZANDOR_VERSION}-1_$arch.deb"
[ -f "$deb" ] || { fail "no $deb; cpack made: $(ls "$out")"; finish; }

# The same files as an install into /usr, owned by root.
expect_same "the files of the package" \
    "$(files_below "$(install_tree)" | sed 's:^:usr/:')" \
    "$(dpkg-deb -c "$deb" | awk '$1 !~ /^d/ { sub(/^\.\//, "", $6); print $6 }' | LC_ALL=C sort)"
expect_same "the owners in the package" "root/root" "$(dpkg-deb -c "$deb" | awk '{ print $2 }' | sort -u)"

expect_same "the package name and version" "zandor $ZANDOR_VERSION-1" \
    "$(dpkg-deb -f "$deb" Package Version | cut -d' ' -f2 | paste -sd' ')"
# dpkg-shlibdeps names the C and C++ libraries the programs link, with versions.
depends=$(dpkg-deb -f "$deb" Depends)
libraries=(libc6 libstdc++6)
[ "$ZANDOR_GUI" = ON ] && libraries+=(libqt6core6 libqt6widgets6)
for library in "${libraries[@]}"; do
    [[ ", $depends" == *", $library (>= "* ]] || fail "Depends does not name $library: $depends"
done

if command -v lintian >/dev/null; then
    # lintian warns when run as root (CI); that notice is not about the package.
    lintian --tag-display-limit 0 "$deb" >"$scratch/lintian" 2>&1 || true
    grep -v 'running with root privileges' "$scratch/lintian" || true
    expect_same "lintian errors" "" "$(grep '^E:' "$scratch/lintian" || true)"
else
    echo "note: lintian is missing: the package is not checked with it"
fi
finish
