#!/usr/bin/env bash
# The committed gallery is what `make gallery` makes now: check_gallery.sh ORVENTA_RENDER SOURCE_DIR
set -euo pipefail
render=$1
source=$2
fresh=$(mktemp -d "${TMPDIR:-/tmp}/orventa-gallery.XXXXXX")
trap 'rm -rf "$fresh"' EXIT
"$source/scripts/make-gallery" "$render" "$fresh"
if ! diff -r "$fresh" "$source/docs/gallery" >&2; then
  echo "docs/gallery is out of date: run make gallery" >&2
  exit 1
fi
echo "$(ls "$fresh" | wc -l) pictures, all current"
