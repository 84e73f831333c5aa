#!/usr/bin/env bash
# Brings the message catalogue up to date with the sources: extracts every Tr("...") message of
# src/ into po/mapbasis.pot (xgettext), merges it into each translation po/<language>.po
# (msgmerge: new messages come in untranslated, changed ones fuzzy) and prints what is left to
# translate. The build and the tests refuse a catalogue with untranslated or fuzzy messages
# (po/README.md).
#
#     scripts/update-po.sh           extract and merge
#     scripts/update-po.sh --check   only say whether the catalogue is complete and current
set -euo pipefail
cd "$(dirname "$0")/.."

pot="$(mktemp)"
trap 'rm -f "$pot"' EXIT
find src -name '*.cpp' -o -name '*.h' | LC_ALL=C sort |
  xgettext --files-from=- --from-code=UTF-8 --language=C++ --qt --keyword= --keyword=Tr \
    --flag=Tr:1:qt-format --add-comments=TRANSLATORS: --sort-output --add-location=file \
    --package-name=mapbasis --msgid-bugs-address="mapbasis developers" --copyright-holder= --output="$pot"
# The creation date changes at every run; the one of the catalogue in the tree stays.
sed -i '/^"POT-Creation-Date:/d' "$pot"

status=0
if [ "${1:-}" = "--check" ]; then
  if ! diff -q <(sed '/^"POT-Creation-Date:/d' po/mapbasis.pot) "$pot" >/dev/null; then
    echo "po/mapbasis.pot is not current: run scripts/update-po.sh" >&2
    status=1
  fi
else
  cp "$pot" po/mapbasis.pot
  for po in po/*.po; do
    msgmerge --quiet --update --backup=none --sort-output --add-location=file "$po" po/mapbasis.pot
  done
fi
for po in po/*.po; do
  # msgfmt prints e.g. "120 translated messages, 2 fuzzy translations, 1 untranslated message."
  stats="$(LC_ALL=C msgfmt --check --statistics --output-file=/dev/null "$po" 2>&1)"
  echo "$po: $stats"
  case "$stats" in *fuzzy* | *untranslated*) status=1 ;; esac
done
exit $status
