#!/usr/bin/env bash
# Packages the build tree the way scripts/package does, unpacks the package into a throw-away folder and runs
# the programs from there, with a fresh home: the installed layout must find its own libraries and plug-in.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
build=$1
work=$(mktemp -d /tmp/zevstore-package-test.XXXXXX)
trap 'rm -rf "$work"' EXIT
fail() {
    echo "FAILED: $*" >&2
    exit 1
}

deb=$("$root/scripts/package" --from "$build" "$work")
version=$(dpkg-deb -f "$deb" Version)
dpkg-deb -f "$deb" Depends | grep -q 'libpq5' || fail "PostgreSQL's client library is not a dependency"
dpkg-deb -f "$deb" Suggests | grep -q 'postgresql' || fail "the PostgreSQL server is not suggested"
dpkg-deb -x "$deb" "$work/root"
usr=$work/root/usr

# Nothing may point back into the build tree.
for binary in "$usr"/bin/* $(find "$usr/lib" -name '*.so'); do
    ! readelf -d "$binary" | grep -E 'R(UN)?PATH' | grep -q "$build" || fail "$binary looks into the build tree"
done

unset ZEVSTORE_PLUGIN_DIR
mkdir -m 700 "$work/runtime"
export HOME=$work/home XDG_DATA_HOME=$work/home/data XDG_CONFIG_HOME=$work/home/config XDG_RUNTIME_DIR=$work/runtime
export QT_QPA_PLATFORM=offscreen
[ "$("$usr/bin/zevstore" --version)" = "ZevStore $version" ] || fail "zevstore --version"
[ "$("$usr/bin/zevstore-admin" --version)" = "zevstore-admin $version" ] || fail "zevstore-admin --version"
"$usr/bin/zevstore" --screenshots "$work/shots" >"$work/shots.txt" || fail "zevstore --screenshots"
[ -s "$work/shots/orders.png" ] || fail "no orders.png"
[ -s "$XDG_DATA_HOME/ZevStore/zevstore.db" ] || fail "the first start made no demo database"
"$usr/bin/zevstore-admin" user list --database "$XDG_DATA_HOME/ZevStore/zevstore.db" | grep -q clerk ||
    fail "zevstore-admin does not read the demo database"

desktop-file-validate "$usr/share/applications/zevstore.desktop"
appstreamcli validate --no-net "$usr"/share/metainfo/*.metainfo.xml
lintian --fail-on error --tag-display-limit 0 "$deb"
