#!/usr/bin/env bash
# The main job: installs what is missing, builds, creates the embedded demo database
# and prints every finished report to PDF under out/pdf/.
set -euo pipefail
raiz="$(cd "$(dirname "$0")/.." && pwd)"
bash "$raiz/scripts/install-deps.sh"
bash "$raiz/scripts/build.sh" "$raiz/build"

out="$raiz/out"; mkdir -p "$out/pdf"
rm -f "$out/demo.fdb"
"$raiz/build/bin/rpt" demo-db "$out/demo.fdb"

# Each line of demo-relatorios.txt: OUTPUT_NAME PLUGIN [--param NAME=VALUE]...
falhas=0
while read -r nome plugin args; do
  [[ -z "$nome" || "$nome" == \#* ]] && continue
  if ! eval "\"$raiz/build/bin/rpt\" run \"$plugin\" --db \"$out/demo.fdb\" --out \"$out/pdf/$nome.pdf\" $args"; then
    echo "FALHOU: $nome" >&2; falhas=$((falhas + 1))
  fi
done < "$raiz/scripts/demo-relatorios.txt"
ls -1 "$out/pdf"
exit $((falhas > 0))
