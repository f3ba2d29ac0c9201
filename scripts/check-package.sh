#!/usr/bin/env bash
# Builds the Debian package in a build folder that has been built, and checks
# it: the programs, manual pages, desktop entry, MIME type, metainfo, copyright
# and sample files are in it, the control file has its dependencies worked out,
# the metainfo passes appstreamcli and its release is the package's version,
# and the manual pages format without a warning.
#   scripts/check-package.sh [BUILD_DIR]      (default build/)
# Needs dpkg-dev, file, appstream and groff-base (scripts/install-deps.sh test).
set -uo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD="$(cd "${1:-$ROOT/build}" && pwd)" || exit 1

problems=()
fail() {
  echo "check-package: $*" >&2
  problems+=("$*")
}

rm -f "$BUILD"/memvault_*.deb
if ! (cd "$BUILD" && cpack -G DEB); then
  echo "check-package: cpack failed" >&2
  exit 1
fi
shopt -s nullglob
debs=("$BUILD"/memvault_*.deb)
shopt -u nullglob
if [ "${#debs[@]}" -ne 1 ]; then
  echo "check-package: expected one memvault_*.deb in $BUILD, found ${#debs[@]}" >&2
  exit 1
fi
DEB="${debs[0]}"
echo "check-package: $DEB"

contents="$(dpkg-deb -c "$DEB")" || { echo "check-package: dpkg-deb -c failed" >&2; exit 1; }
echo "$contents"
files="$(awk '{print $NF}' <<<"$contents" | sed 's|^\./|/|')"
for f in \
  /usr/bin/memvault /usr/bin/memvault-cli /usr/bin/ft450sim \
  /usr/share/man/man1/memvault.1.gz /usr/share/man/man1/memvault-cli.1.gz /usr/share/man/man1/ft450sim.1.gz \
  /usr/share/applications/memvault.desktop /usr/share/mime/packages/memvault.xml \
  /usr/share/metainfo/org.example.memvault.metainfo.xml /usr/share/doc/memvault/copyright \
  /usr/share/doc/memvault/help/index.html /usr/share/icons/hicolor/scalable/apps/memvault.svg \
  /usr/share/memvault/sample.450 /usr/share/memvault/sample.450dsc; do
  grep -qxF "$f" <<<"$files" || fail "$f is not in the package"
done
# The MIME and icon caches belong to the user's machine, not to the package.
if grep -E '^/usr/share/(mime/mime\.cache|applications/mimeinfo\.cache|icons/hicolor/icon-theme\.cache)$' <<<"$files"; then
  fail "the package holds a desktop cache file"
fi

info="$(dpkg-deb -I "$DEB")" || { echo "check-package: dpkg-deb -I failed" >&2; exit 1; }
echo "$info"
grep -qE '^ Depends: .*libqt6core6' <<<"$info" || fail "the control file has no Depends worked out from the programs"
grep -qx ' Package: memvault' <<<"$info" || fail "the package is not called memvault"
grep -qx ' Section: hamradio' <<<"$info" || fail "the package is not in section hamradio"

TMP="$(mktemp -d "${TMPDIR:-/tmp}/memvault-deb.XXXXXX")"
trap 'rm -rf "$TMP"' EXIT
dpkg-deb -x "$DEB" "$TMP"
metainfo="$TMP/usr/share/metainfo/org.example.memvault.metainfo.xml"
if [ -f "$metainfo" ]; then
  appstreamcli validate --no-net "$metainfo" || fail "appstreamcli refuses the metainfo"
  version="$(dpkg-deb -f "$DEB" Version)"
  grep -q "<release version=\"$version\"" "$metainfo" \
    || fail "the metainfo has no release $version (add it to resources/org.example.memvault.metainfo.xml)"
fi
for page in "$TMP"/usr/share/man/man1/*.1.gz; do
  warnings="$(zcat "$page" | groff -man -Tutf8 -ww -z 2>&1)"
  [ -z "$warnings" ] || fail "$(basename "$page"): $warnings"
done
"$TMP/usr/bin/memvault-cli" --help >/dev/null || fail "the packaged memvault-cli does not start"
"$TMP/usr/bin/ft450sim" --help >/dev/null || fail "the packaged ft450sim does not start"

if [ "${#problems[@]}" -gt 0 ]; then
  echo "check-package: ${#problems[@]} problem(s)" >&2
  exit 1
fi
echo "check-package: $(basename "$DEB") holds what it should"
