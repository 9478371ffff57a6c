#!/usr/bin/env bash
# Brings every catalogue source (translations/zandor_<lang>.ts, or the .ts
# files given) up to date with the window's texts: new texts are added
# unfinished, texts no longer used are dropped, and translations already made
# are kept. Run it after changing a text the window shows, then translate what
# it added (Qt Linguist, or by hand in the .ts), and commit both;
# tools/check_translations.py (the TranslationsCheck test) fails until then.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
catalogues=("$@")
if [ "${#catalogues[@]}" -eq 0 ]; then
  catalogues=("$root"/translations/zandor_*.ts)
fi
lupdate=$(command -v lupdate || echo /usr/lib/qt6/bin/lupdate)
cd "$root"
# ZANDOR_TRANSLATE_NOOP marks words of the Qt-free layers the window shows.
"$lupdate" -silent -locations none -no-ui-lines -no-obsolete \
  -tr-function-alias QT_TRANSLATE_NOOP+=ZANDOR_TRANSLATE_NOOP -I . \
  app criteria results text search/file_types.h \
  -ts "${catalogues[@]}"
