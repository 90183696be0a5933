#!/usr/bin/env bash
# Benchmark of every demo run: creates the demo database once per scale (kept in
# build/bench-demo/ until the schema or the generator changes), prints every line of
# scripts/demo-relatorios.txt to PDF and shows one table row per run.
# Run by hand, never by CI.
#
# Usage: bench/reports.sh [--scale N] [--only TEXT] [--build DIR]
#   --scale N    demo database scale (default 100)
#   --only TEXT  runs whose name contains TEXT
#   --build DIR  build folder holding bin/rpt, which finds its plug-ins itself (default build/)
#
# Columns: pages printed, wall seconds, pages per wall second, CPU seconds
# (user + system, less sensitive to a loaded machine than the wall clock) and
# peak resident memory, all from /usr/bin/time -v. The load average of the
# machine is printed above and below the table: compare timings only between
# runs made under a similar load.
set -euo pipefail
raiz="$(cd "$(dirname "$0")/.." && pwd)"
escala=100; filtro=""; build="$raiz/build"
while [[ $# -gt 0 ]]; do
  case "$1" in
    --scale) escala="$2"; shift 2 ;;
    --only) filtro="$2"; shift 2 ;;
    --build) build="$(cd "$2" && pwd)"; shift 2 ;;
    *) echo "uso: bench/reports.sh [--scale N] [--only TEXTO] [--build PASTA]" >&2; exit 2 ;;
  esac
done
[[ "$escala" =~ ^[1-9][0-9]*$ ]] || { echo "--scale: informe um inteiro positivo" >&2; exit 2; }
rpt="$build/bin/rpt"
[[ -x "$rpt" ]] || { echo "rpt não encontrado em $rpt: compile antes (scripts/build.sh)" >&2; exit 1; }
[[ -x /usr/bin/time ]] || { echo "/usr/bin/time não encontrado (pacote time)" >&2; exit 1; }

# The cached database is named after the scale and a digest of what shapes it.
cache="$build/bench-demo"; mkdir -p "$cache"
assinatura="$(cat "$raiz/host/schema/schema.sql" "$raiz"/demo/*.cpp "$raiz"/demo/*.h | sha1sum | cut -c1-12)"
banco="$cache/demo-$escala-$assinatura.fdb"
if [[ ! -f "$banco" ]]; then
  rm -f "$cache/demo-$escala-"*.fdb
  echo "criando o banco de demonstração (escala $escala)..." >&2
  inicio=$(date +%s.%N)
  "$rpt" demo-db "$banco.tmp" --scale "$escala" >/dev/null
  mv "$banco.tmp" "$banco"
  printf 'banco criado em %.1f s: %s (%s MB)\n' "$(echo "$(date +%s.%N) - $inicio" | bc)" \
    "$banco" "$(( $(stat -c %s "$banco") / 1048576 ))" >&2
fi

saida="$(mktemp -d)"; trap 'rm -rf "$saida"' EXIT
echo "escala $escala · $(nproc) núcleos · carga antes: $(cut -d' ' -f1-3 /proc/loadavg)"
printf '| %-40s | %6s | %7s | %7s | %7s | %7s |\n' run pages seconds pages/s "cpu s" "peak MB"
printf '|%s|%s|%s|%s|%s|%s|\n' "$(printf -- '-%.0s' {1..42})" -------- --------- --------- --------- ---------
falhas=0
while read -r nome plugin args; do
  [[ -z "$nome" || "$nome" == \#* ]] && continue
  [[ -n "$filtro" && "$nome" != *"$filtro"* ]] && continue
  medida="$saida/$nome.time"; mensagens="$saida/$nome.err"
  if ! eval "/usr/bin/time -v -o \"\$medida\" \"\$rpt\" run \"\$plugin\" --db \"\$banco\" \
        --out \"\$saida/\$nome.pdf\" $args" 2>"$mensagens" >/dev/null; then
    printf '| %-40s | FALHOU: %s\n' "$nome" "$(grep -v '^\s' "$mensagens" | tail -1)"
    falhas=$((falhas + 1)); continue
  fi
  paginas="$(sed -n 's/.*: \([0-9]*\) página.*/\1/p' "$mensagens" | tail -1)"; paginas="${paginas:-0}"
  relogio="$(sed -n 's/.*Elapsed (wall clock) time (h:mm:ss or m:ss): //p' "$medida")"
  segundos="$(awk -F: '{ s = 0; for (i = 1; i <= NF; i++) s = s * 60 + $i; printf "%.2f", s }' <<<"$relogio")"
  cpu="$(awk -F': ' '/User time|System time/ { s += $2 } END { printf "%.2f", s }' "$medida")"
  pico="$(awk -F': ' '/Maximum resident set size/ { printf "%.0f", $2 / 1024 }' "$medida")"
  taxa="$(awk -v p="$paginas" -v s="$segundos" 'BEGIN { printf "%.0f", (s > 0 ? p / s : 0) }')"
  printf '| %-40s | %6s | %7s | %7s | %7s | %7s |\n' "$nome" "$paginas" "$segundos" "$taxa" "$cpu" "$pico"
done < "$raiz/scripts/demo-relatorios.txt"
echo "carga depois: $(cut -d' ' -f1-3 /proc/loadavg)"
exit $((falhas > 0))
