#!/usr/bin/env bash
# Installs a build into a temporary prefix and checks what a packager gets:
# check_install.sh BUILD_DIR
set -euo pipefail
build=$1
prefix=$(mktemp -d "${TMPDIR:-/tmp}/orventa-install.XXXXXX")
trap 'rm -rf "$prefix"' EXIT

cmake --install "$build" --prefix "$prefix" >/dev/null
for f in bin/orventa bin/orventa-render share/applications/org.orventa.Orventa.desktop \
         share/icons/hicolor/scalable/apps/org.orventa.Orventa.svg \
         share/metainfo/org.orventa.Orventa.metainfo.xml share/man/man1/orventa.1 \
         share/man/man1/orventa-render.1; do
  [ -f "$prefix/$f" ] || { echo "not installed: $f" >&2; exit 1; }
done
[ -x "$prefix/bin/orventa" ] || { echo "bin/orventa is not executable" >&2; exit 1; }
"$prefix/bin/orventa-render" --version >/dev/null

appstreamcli validate --no-net "$prefix/share/metainfo/org.orventa.Orventa.metainfo.xml" >/dev/null
desktop-file-validate "$prefix/share/applications/org.orventa.Orventa.desktop"
for page in orventa orventa-render; do
  warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -E UTF-8 -l "$prefix/share/man/man1/$page.1" 2>&1 >/dev/null)
  [ -z "$warnings" ] || { echo "$page.1 warnings: $warnings" >&2; exit 1; }
done
echo "installed and valid"
