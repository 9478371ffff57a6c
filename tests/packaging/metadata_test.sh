#!/usr/bin/env bash
# shellcheck source-path=SCRIPTDIR
# The desktop entry and the AppStream component, as installed: the freedesktop
# and AppStream validators find nothing to say, and the version they and the
# Debian changelog name is the program's.
source "$(dirname "$0")/lib.sh"

for tool in desktop-file-validate appstreamcli; do
    command -v "$tool" >/dev/null || { echo "SKIPPED: $tool is missing (scripts/bootstrap.sh)"; exit $SKIPPED; }
done
prefix=$(install_tree)
desktop="$prefix/share/applications/$ZANDOR_APP_ID.desktop"
metainfo="$prefix/share/metainfo/$ZANDOR_APP_ID.metainfo.xml"

expect_same "desktop-file-validate" "" "$(desktop-file-validate "$desktop" 2>&1)"
# Warnings and infos count too; only the pedantic notes are allowed.
report=$(appstreamcli validate --no-net "$metainfo" 2>&1) || fail "appstreamcli validate: $report"
expect_same "appstreamcli validate findings" "" "$(echo "$report" | grep -E '^[EWI]:' || true)"
report=$(appstreamcli validate-tree --no-net "$prefix" 2>&1) || fail "appstreamcli validate-tree: $report"
expect_same "appstreamcli validate-tree findings" "" "$(echo "$report" | grep -E '^[EWI]:' || true)"

# The component, its launchable and its icon all carry the one id.
expect_same "the component id" "$ZANDOR_APP_ID" "$(sed -n 's:.*<id>\(.*\)</id>.*:\1:p' "$metainfo")"
expect_same "the launchable" "$ZANDOR_APP_ID.desktop" \
    "$(sed -n 's:.*<launchable type="desktop-id">\(.*\)</launchable>.*:\1:p' "$metainfo")"
expect_same "the newest release" "$ZANDOR_VERSION" \
    "$(grep -m1 -oE '<release version="[^"]+"' "$metainfo" | cut -d'"' -f2)"
expect_same "the changelog's newest version" "zandor ($ZANDOR_VERSION-1)" \
    "$(gzip -dc "$prefix/share/doc/zandor/changelog.Debian.gz" | head -1 | cut -d' ' -f1-2)"
finish
