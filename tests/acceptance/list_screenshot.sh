#!/usr/bin/env bash
# `malvo --screenshot FILE --window list|picker|editor|address|dokument|pliki` writes a PNG
# of the main window with the company list loaded (also without --window, as
# at start), of the company picker, of the company editor (a company on a
# named page, or a new one), of a company's address editor, of its first
# document or of its linked files: pictures with rows or fields in them.
set -euo pipefail
bin=$1
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
db="$dir/demo.db"
export QT_QPA_PLATFORM=offscreen MALVO_LOG="$dir/malvo.log" XDG_DATA_HOME="$dir/data"

"$bin/malvo" db create "$db" --demo 60 >/dev/null
"$bin/malvo" --db "$db" --screenshot "$dir/start.png"
"$bin/malvo" --db "$db" --screenshot "$dir/list.png" --window list
# Qt's own options pass through to the GUI application.
"$bin/malvo" -style fusion --db "$db" --screenshot "$dir/picker.png" --window picker --lang en
company=$(sqlite3 "$db" "select max(id_f) from firma")
"$bin/malvo" --db "$db" --screenshot "$dir/editor_pl.png" --window editor --company "$company" --tab tsKontakty
"$bin/malvo" --db "$db" --screenshot "$dir/editor_en.png" --window editor --lang en
address=$(sqlite3 "$db" "select min(id_adr) from adres where tabela = 7 and id_ = $company")
"$bin/malvo" --db "$db" --screenshot "$dir/address.png" --window address --company "$company" --address "$address"
"$bin/malvo" --db "$db" --screenshot "$dir/dokument.png" --window dokument \
  --company "$(sqlite3 "$db" "select min(id_f) from dokument")"
"$bin/malvo" --db "$db" --screenshot "$dir/pliki.png" --window pliki \
  --company "$(sqlite3 "$db" "select min(id_) from dokument_plik where tabela = 7")"

for f in start list picker editor_pl editor_en address dokument pliki; do
  [ "$(head -c 8 "$dir/$f.png" | od -An -tx1 | tr -d ' \n')" = 89504e470d0a1a0a ] \
    || { echo "$f.png is not a PNG"; exit 1; }
done
for f in start list; do
  size=$(stat -c %s "$dir/$f.png")
  [ "$size" -gt 100000 ] || { echo "the $f picture ($size B) shows no rows"; exit 1; }
done
picker=$(stat -c %s "$dir/picker.png")
[ "$picker" -gt 10000 ] || { echo "the picker picture ($picker B) shows no rows"; exit 1; }
for f in editor_pl editor_en address dokument pliki; do
  size=$(stat -c %s "$dir/$f.png")
  [ "$size" -gt 10000 ] || { echo "the editor picture $f ($size B) shows no fields"; exit 1; }
done
if cmp -s "$dir/editor_pl.png" "$dir/editor_en.png"; then echo "a company and a new one look the same"; exit 1; fi

if "$bin/malvo" --db "$db" --screenshot "$dir/x.png" --window editor --company abc 2>/dev/null; then
  echo "a company id that is not a number should be refused"; exit 1
fi
if "$bin/malvo" --db "$db" --screenshot "$dir/x.png" --window address 2>/dev/null; then
  echo "an address editor without its company should be refused"; exit 1
fi
if "$bin/malvo" --db "$db" --screenshot "$dir/x.png" --window nosuch 2>/dev/null; then
  echo "an unknown window should be refused"; exit 1
fi
echo "list screenshot: ok"
