#!/usr/bin/env bash
# `rpt serve` as a browser sees it: Debian's chromium, driven headless by Playwright,
# against the server on a fresh demo database, then 8 prints at once from separate
# clients. The server's temporary folder must be empty once the tabs are gone and
# after it stops. Usage: navegador_test.sh BUILD_DIR
set -euo pipefail
build="$(cd "$1" && pwd)"
aqui="$(cd "$(dirname "$0")" && pwd)"
rpt="$build/bin/rpt"
chromium="${RPT_CHROMIUM:-/usr/bin/chromium}"
[ -x "$chromium" ] || { echo "chromium não encontrado em $chromium" >&2; exit 1; }

# Playwright's library alone, in the build tree; the browser is the system's.
modulos="$build/web-node"
versao_playwright=1.65.2
if [ ! -f "$modulos/node_modules/playwright-core/package.json" ] ||
   ! grep -q "\"version\": \"$versao_playwright\"" "$modulos/node_modules/playwright-core/package.json"; then
  mkdir -p "$modulos"
  PLAYWRIGHT_SKIP_BROWSER_DOWNLOAD=1 npm install --prefix "$modulos" --no-save --no-audit --no-fund --silent \
    "playwright-core@$versao_playwright" >&2
fi
export RPT_NODE_MODULOS="$modulos"

trabalho="$(mktemp -d)"
servidor=""
encerrar() {
  if [ -n "$servidor" ] && kill -0 "$servidor" 2>/dev/null; then kill -TERM "$servidor"; wait "$servidor" || true; fi
  rm -rf "$trabalho"
}
trap encerrar EXIT

"$rpt" demo-db "$trabalho/demo.fdb" 2>/dev/null
mkdir "$trabalho/tmp"
TMPDIR="$trabalho/tmp" "$rpt" serve --db "$trabalho/demo.fdb" --listen 127.0.0.1:0 --idle 600 \
  2> "$trabalho/servidor.log" &
servidor=$!
for _ in $(seq 1 100); do
  endereco="$(grep -o 'http://[0-9.:]*/' "$trabalho/servidor.log" || true)"
  [ -n "$endereco" ] && break
  kill -0 "$servidor" 2>/dev/null || { cat "$trabalho/servidor.log" >&2; exit 1; }
  sleep 0.1
done
[ -n "$endereco" ] || { echo "o servidor não informou seu endereço" >&2; cat "$trabalho/servidor.log" >&2; exit 1; }
endereco="${endereco%/}"

vazia() {  # the server's own folder under TMPDIR holds nothing
  local resto
  resto="$(find "$trabalho/tmp" -mindepth 2 | head -5)"
  [ -z "$resto" ] || { echo "arquivos temporários deixados para trás ($1):" >&2; echo "$resto" >&2; return 1; }
}

plugins="$("$rpt" list | cut -f1 | paste -sd, -)"
export RPT_CHROMIUM="$chromium" RPT_TELAS="${RPT_TELAS:-$build/web-telas}"
node "$aqui/navegador.mjs" "$endereco" "$plugins"
node "$aqui/carga.mjs" "$endereco"
vazia "com as abas fechadas"

kill -TERM "$servidor"
status=0; wait "$servidor" || status=$?
servidor=""
if [ "$status" -ne 0 ]; then
  echo "o servidor saiu com $status" >&2; cat "$trabalho/servidor.log" >&2; exit 1
fi
[ -z "$(ls -A "$trabalho/tmp")" ] || { echo "o servidor deixou $(ls -A "$trabalho/tmp") em TMPDIR" >&2; exit 1; }
echo "ok: navegador, carga e limpeza"
