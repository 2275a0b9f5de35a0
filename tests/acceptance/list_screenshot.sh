#!/usr/bin/env bash
# `malvo --screenshot FILE --window list|picker` writes a PNG of the main
# window with the company list loaded, or of the company picker: pictures with
# more in them than the empty shell's.
set -euo pipefail
bin=$1
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
db="$dir/demo.db"
export QT_QPA_PLATFORM=offscreen MALVO_LOG="$dir/malvo.log"

"$bin/malvo" db create "$db" --demo 60 >/dev/null
"$bin/malvo" --db "$db" --screenshot "$dir/empty.png"
"$bin/malvo" --db "$db" --screenshot "$dir/list.png" --window list
"$bin/malvo" --db "$db" --screenshot "$dir/picker.png" --window picker --lang en

for f in empty list picker; do
  [ "$(head -c 8 "$dir/$f.png" | od -An -tx1 | tr -d ' \n')" = 89504e470d0a1a0a ] \
    || { echo "$f.png is not a PNG"; exit 1; }
done
empty=$(stat -c %s "$dir/empty.png")
list=$(stat -c %s "$dir/list.png")
[ "$list" -gt $((empty + 10000)) ] || { echo "the list picture ($list B) shows no more than the empty shell ($empty B)"; exit 1; }
picker=$(stat -c %s "$dir/picker.png")
[ "$picker" -gt 10000 ] || { echo "the picker picture ($picker B) shows no rows"; exit 1; }

if "$bin/malvo" --db "$db" --screenshot "$dir/x.png" --window nosuch 2>/dev/null; then
  echo "an unknown window should be refused"; exit 1
fi
echo "list screenshot: ok"
