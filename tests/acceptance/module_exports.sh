#!/usr/bin/env bash
# The module exports its entry points and nothing else.
set -euo pipefail
bin=$1
expected=$(printf '%s\n' _GetDllCode _GetModuleName _GetNazwaUpr _GetVersionA _SetDllInstance _isEdited _Execute \
  _ExecuteModal _EdytujRekordTab _UruchomWyszukiwanieWgFrazy _ImportFirmyZTobolca _ImportOsKonatkt \
  _ZImportuZlecSP _ZImportuZlecSPBezPowiazania _ZapiszBezPokazywaniaFormularza \
  _EditRecord _EditRecordZakladka _EdytujFirme _NewRecord _NewRecordPar _Firma_NewRecord_Zlec _Firma_EditRecord_Zlec \
  _NewRecordFirmaAdres _EksportFirmDoPliku _ImportFirmZPliku)
# Exports are the global and unique symbols; a debug build may list a local one too.
actual=$(nm -D --defined-only "$bin/libpartners.so" | awk '$2 ~ /^([A-Z]|u)$/ {print $3}' | sort)
if [ "$actual" != "$(printf '%s\n' "$expected" | sort)" ]; then
  echo "unexpected exports of libpartners.so:"; echo "$actual"; exit 1
fi
"$bin/malvo" --version | grep -q '^malvo [0-9]'
echo "module exports: ok"
