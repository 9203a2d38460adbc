#!/usr/bin/env bash
# Checks an installed tree: check-installed.sh PREFIX APP_ID DOCUMENT
set -euo pipefail
prefix=$1 app_id=$2 document=$3
share=$prefix/share
failed=0
fail() { echo "FAIL: $*"; failed=1; }
expect_file() { [ -s "$1" ] || fail "missing $1"; }

expect_file "$prefix/bin/tavoro"
expect_file "$prefix/bin/tavoro-cli"
expect_file "$share/tavoro/beep.wav"
expect_file "$share/tavoro/help/html/Introduction.htm"
expect_file "$share/man/man1/tavoro.1.gz"
expect_file "$share/man/man1/tavoro-cli.1.gz"
for size in 16 22 24 32 48 64 128 256; do
    expect_file "$share/icons/hicolor/${size}x${size}/apps/$app_id.png"
    expect_file "$share/icons/hicolor/${size}x${size}/mimetypes/application-x-tavoro-document.png"
done
expect_file "$share/icons/hicolor/scalable/apps/$app_id.svg"
expect_file "$share/icons/hicolor/scalable/mimetypes/application-x-tavoro-document.svg"

desktop-file-validate "$share/applications/$app_id.desktop" || fail "desktop entry"
appstreamcli validate --no-net --pedantic "$share/metainfo/$app_id.metainfo.xml" || fail "AppStream file"
grep -q ':application/x-tavoro-document:\*\.pgr' "$share/mime/globs2" || fail "no *.pgr glob"

# The programs started from the prefix.
[ "$("$prefix/bin/tavoro-cli" --version)" = "tavoro-cli 1.5" ] || fail "tavoro-cli --version"
[ "$("$prefix/bin/tavoro" --version)" = "tavoro 1.5" ] || fail "tavoro --version"
"$prefix/bin/tavoro" --help | grep -q -- '--no-splash' || fail "tavoro --help"
counts=$("$prefix/bin/tavoro-cli" check "$document") || fail "tavoro-cli check"
[ "$(printf '%s\n' "$counts" | sed -n 2p)" = "Persons: 2 (LastID 2)" ] || fail "tavoro-cli check printed: $counts"

[ $failed -eq 0 ] && echo "installed tree under $prefix is complete"
exit $failed
