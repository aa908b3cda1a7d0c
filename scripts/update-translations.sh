#!/usr/bin/env bash
# Collects every translatable text of src/ into the catalogues translations/quenlap_*.ts, keeping
# the translations already made. Texts no longer in the sources are kept as obsolete.
# Usage: scripts/update-translations.sh [extra lupdate options]
# A new language: copy an existing .ts to translations/quenlap_<code>.ts, set its language
# attribute, run this script, translate, and rebuild (the build compiles the catalogues).
set -euo pipefail
cd "$(dirname "$0")/.."
lupdate=${LUPDATE:-/usr/lib/qt6/bin/lupdate}
if [[ ! -x $lupdate ]]; then
    lupdate=$(command -v lupdate6 || command -v lupdate || true)
fi
if [[ -z $lupdate ]]; then
    echo "update-translations: lupdate not found (Debian package qt6-l10n-tools)" >&2
    exit 1
fi
shopt -s nullglob
catalogues=(translations/quenlap_*.ts)
if ((${#catalogues[@]} == 0)); then
    echo "update-translations: no translations/quenlap_*.ts" >&2
    exit 1
fi
"$lupdate" -locations none -source-language es -extensions cpp,h "$@" src -ts "${catalogues[@]}"
