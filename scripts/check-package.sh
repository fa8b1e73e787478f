#!/usr/bin/env bash
# Installs the package as a school's technician would, checks that what it
# installed works and validates, and removes it again.
set -euo pipefail
cd "$(dirname "$0")/.."
deb="$(scripts/package.sh | tail -1)"
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
trap '$sudo apt-get remove -y -qq zorvik >/dev/null 2>&1 || true' EXIT
$sudo apt-get install -y -qq --no-install-recommends "./$deb" >/dev/null

/usr/bin/zorvik-cli --help >/dev/null
work="$(mktemp -d)"
/usr/bin/zorvik-cli dump /usr/share/zorvik/samples/math.tsm >"$work/math.json"
/usr/bin/zorvik-cli load "$work/math.json" "$work/math.tsm"
cmp /usr/share/zorvik/samples/math.tsm "$work/math.tsm"
rm -rf "$work"
appstreamcli validate --no-net /usr/share/metainfo/ua.zorvik.Zorvik.metainfo.xml >/dev/null
desktop-file-validate /usr/share/applications/zorvik.desktop
test -f /usr/share/mime/packages/zorvik.xml
# Test files are known by their names and open with Zorvik.
grep -q 'application/x-zorvik-test:\*\.tsm' /usr/share/mime/globs2
[ "$(xdg-mime query default application/x-zorvik-test)" = zorvik.desktop ]
test -f /usr/share/man/man1/zorvik-cli.1.gz
test -f /usr/share/zorvik/test.doc
dpkg-deb -f "$deb" Depends | grep -q xdg-utils

$sudo apt-get remove -y -qq zorvik >/dev/null
trap - EXIT
if [ -e /usr/bin/zorvik ] || [ -e /usr/bin/zorvik-cli ]; then
  echo "check-package: the programs are still there after removal" >&2
  exit 1
fi
echo "package $deb: installed, checked and removed"
