#!/usr/bin/env bash
# `malvo export` and `malvo import` move companies between two databases
# without a window, print what they did and fail on anything refused.
set -euo pipefail
bin=$1
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
cd "$dir"
fail() { echo "$*"; exit 1; }

"$bin/malvo" db create demo.db --demo 30 >/dev/null 2>&1
"$bin/malvo" db create empty.db >/dev/null
for format in csv xml 7z; do
  out=$("$bin/malvo" export --db demo.db --format $format firmy.$format)
  [ "$out" = "exported 30 companies to firmy.$format" ] || fail "export $format said: $out"
done
out=$("$bin/malvo" export --db demo.db --format csv --ids 3,1,99999 two.csv 2>/dev/null)
[ "$(grep -c '^[0-9]' two.csv)" -ge 2 ] && [ "$out" = "exported 2 companies to two.csv" ] || fail "--ids: $out"
if "$bin/malvo" export --db demo.db --format pdf x.pdf 2>/dev/null; then fail "an unknown format is refused"; fi

out=$("$bin/malvo" import --db empty.db firmy.csv)
grep -qx 'Zapisano: 30' <<<"$out" && grep -qx 'Odrzucono: 0' <<<"$out" || fail "import said: $out"
[ "$(sqlite3 empty.db 'select count(*) from firma')" = 30 ] || fail "30 companies expected after the import"
out=$("$bin/malvo" import --db empty.db firmy.csv)
grep -qx 'Pominięto: 30' <<<"$out" || fail "a second import skips every company: $out"
out=$("$bin/malvo" import --db empty.db --on-duplicate overwrite firmy.xml)
grep -qx 'Nadpisano: 30' <<<"$out" || fail "overwrite: $out"

# A refused record is named and fails the run; the others are written.
printf '<root><firma><nazwa>Dobra</nazwa></firma><firma><nazwa>Zepsuta</nazwa><konta><konto><nr_konta>%s</nr_konta></konto></konta></firma></root>' \
  "$(printf '1%.0s' $(seq 60))" > broken.xml
if out=$("$bin/malvo" import --db empty.db broken.xml); then fail "a refused record must fail the run"; fi
grep -q '^Rekord 2 (Zepsuta)' <<<"$out" && grep -qx 'Zapisano: 1' <<<"$out" || fail "refused record: $out"
echo 'not a company file' > garbage.xml
if "$bin/malvo" import --db empty.db garbage.xml 2>/dev/null; then fail "an invalid file must fail the run"; fi
[ "$(sqlite3 empty.db 'select count(*) from firma')" = 31 ] || fail "the invalid file changed the database"
echo "import and export: ok"
