#!/usr/bin/env bash
# Sets one key of a Windows settings file (VANTERA.INI, WIN.INI), the one
# way the scripts edit them.
#   tools/ini-set.sh [--keep] FILE SECTION KEY VALUE
# Section and key names match without regard to case, as Windows reads
# them. The key's first line in the section becomes KEY=VALUE and any later
# ones of it are dropped; a missing key goes right below the section's
# heading, a missing section (or file) at the end. With --keep a key that is
# there already stays as it is. Every other line stays as it was, line end
# included; added lines end in CR LF. The file is replaced whole, never left
# half-written.
set -euo pipefail
keep=0
if [ "${1:-}" = "--keep" ]; then keep=1; shift; fi
if [ $# -ne 4 ]; then
  echo "usage: tools/ini-set.sh [--keep] FILE SECTION KEY VALUE" >&2
  exit 2
fi
file=$1
[ -f "$file" ] || : > "$file"
QX_SECTION=$2 QX_KEY=$3 QX_VALUE=$4 QX_KEEP=$keep awk '
  function trim(s) { sub(/^[ \t]+/, "", s); sub(/[ \t\r]+$/, "", s); return s }
  BEGIN { section = "[" tolower(ENVIRON["QX_SECTION"]) "]"; key = tolower(ENVIRON["QX_KEY"])
          entry = ENVIRON["QX_KEY"] "=" ENVIRON["QX_VALUE"] }
  { line[NR] = $0; name = tolower(trim($0)) }
  name ~ /^\[/ { inside = (name == section); if (inside && !heading) heading = NR; next }
  inside && index(name, "=") > 1 && trim(substr(name, 1, index(name, "=") - 1)) == key {
    if (!found) found = NR; else drop[NR] = 1
  }
  END {
    if (found && ENVIRON["QX_KEEP"] == 1) exit 3
    for (i = 1; i <= NR; ++i) {
      if (i == found) { printf "%s\r\n", entry; continue }
      if (i in drop) continue
      print line[i]
      if (i == heading && !found) printf "%s\r\n", entry
    }
    if (!heading) printf "[%s]\r\n%s\r\n", ENVIRON["QX_SECTION"], entry
  }' "$file" > "$file.new" && status=0 || status=$?
if [ $status -eq 3 ]; then rm -f "$file.new"; exit 0; fi
if [ $status -ne 0 ]; then rm -f "$file.new"; exit "$status"; fi
mv "$file.new" "$file"
