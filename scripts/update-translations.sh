#!/usr/bin/env bash
# Refreshes the English catalogue i18n/korvo_en.ts (or the catalogue named as the first
# argument) from the program's sources: texts added since are put in as unfinished (the
# translation test then fails until they are translated, with Qt Linguist or by hand),
# texts gone are dropped.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
catalogue=$(realpath -m "${1:-$root/i18n/korvo_en.ts}")
lupdate=$(command -v lupdate6 || command -v lupdate || echo /usr/lib/qt6/bin/lupdate)
cd "$root"
"$lupdate" -silent -locations none -no-obsolete -source-language fr_FR -target-language en_GB \
    ground controls engine config channels displays transmit macros logbook forms session browser app \
    -ts "$catalogue"
