#!/usr/bin/env bash
# The English catalogue is complete: refreshed from the sources into a copy, it holds
# no unfinished entry, so a text added without its translation is noticed.
# Run scripts/update-translations.sh, then translate what it marks unfinished.
set -u
root=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp "$root/i18n/korvo_en.ts" "$work/korvo_en.ts"
bash "$root/scripts/update-translations.sh" "$work/korvo_en.ts" || { echo "FAIL: lupdate"; exit 1; }
unfinished=$(grep -c 'type="unfinished"' "$work/korvo_en.ts")
if [ "$unfinished" -ne 0 ]; then
    echo "FAIL: $unfinished text(s) without an English translation (scripts/update-translations.sh):"
    grep -B2 'type="unfinished"' "$work/korvo_en.ts" | grep '<source>'
    exit 1
fi
if ! cmp -s "$root/i18n/korvo_en.ts" "$work/korvo_en.ts"; then
    echo "FAIL: i18n/korvo_en.ts is not up to date with the sources (scripts/update-translations.sh)"
    diff "$root/i18n/korvo_en.ts" "$work/korvo_en.ts" | head -20
    exit 1
fi
echo "ok: $(grep -c '<message>' "$work/korvo_en.ts") texts translated"
