#!/usr/bin/env bash
# `malvo db create` gives a database the sqlite3 command can read, holding the
# demo companies once per language, each with a valid NIP; creating over an
# existing file is refused and leaves it as it was; the demo's linked files
# lie in the document store.
set -euo pipefail
bin=$1
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
db="$dir/demo.db"
export XDG_DATA_HOME="$dir/data"

"$bin/malvo" db create "$db" --demo 120 >/dev/null

pl=$(sqlite3 "$db" "select id_jezyka from jezyk where kod = 'pl'")
count=$(sqlite3 "$db" "select count(*) from VListaFirmFull where id_jezyka = $pl")
[ "$count" = 120 ] || { echo "expected 120 companies in VListaFirmFull, got $count"; exit 1; }

bad=0
while IFS= read -r nip; do
  digits=$(printf '%s' "$nip" | tr -cd '0-9')
  [ ${#digits} -eq 10 ] || { echo "NIP of wrong length: $nip"; bad=1; continue; }
  weights=(6 5 7 2 3 4 5 6 7)
  sum=0
  for i in $(seq 0 8); do sum=$((sum + ${digits:$i:1} * ${weights[$i]})); done
  [ $((sum % 11)) -eq "${digits:9:1}" ] || { echo "NIP fails the checksum: $nip"; bad=1; }
done < <(sqlite3 "$db" "select nip from firma")
[ $bad -eq 0 ]

# Demo scans lie in the document store, each linked with its path there.
links=$(sqlite3 "$db" "select count(*) from dokument_plik")
[ "$links" -gt 0 ] || { echo "the demo links no files"; exit 1; }
while IFS= read -r path; do
  file=$(find "$dir/data" -path "*/dokumenty/${path//\\//}" | head -1)
  [ -s "$file" ] || { echo "the linked demo file $path is missing"; exit 1; }
done < <(sqlite3 "$db" "select sciezka from dokument_plik")

before=$(sha256sum "$db" | cut -d' ' -f1)
if "$bin/malvo" db create "$db" >/dev/null 2>&1; then
  echo "creating over an existing database should fail"; exit 1
fi
[ "$(sha256sum "$db" | cut -d' ' -f1)" = "$before" ] || { echo "existing database was changed"; exit 1; }
echo "db create: ok"
