#!/usr/bin/env bash
# Installs this build into a temporary prefix and uses the installed rpt from a
# folder outside the source and build trees, without the variables that point
# into them: it lists, describes, creates the demo database and prints a report.
# Usage: instalacao_test.sh BUILD_DIR [CMAKE]
set -euo pipefail
build="$(cd "$1" && pwd)"
cmake="${2:-cmake}"
tmp="$(mktemp -d "${TMPDIR:-/tmp}/rpt-instalacao-XXXXXX")"
trap 'rm -rf "$tmp"' EXIT
prefixo="$tmp/prefixo" trabalho="$tmp/trabalho"
mkdir -p "$trabalho"

"$cmake" --install "$build" --prefix "$prefixo" >/dev/null
rpt="$prefixo/bin/rpt"
falha() { echo "FALHOU: $*" >&2; exit 1; }
[ -x "$rpt" ] || falha "rpt não instalado em $prefixo/bin"
ls "$prefixo"/lib*/rpt/plugins/RptPayments.so "$prefixo"/lib*/rpt/plugins/RptPayments.json >/dev/null ||
  falha "plug-in ou layout ausente"
ls "$prefixo"/share/rpt/firebird/firebird.conf >/dev/null || falha "firebird.conf ausente"
if readelf -d "$rpt" | grep -E 'R(UN)?PATH' | grep -qF "$build"; then falha "o rpt instalado procura bibliotecas no build"; fi

cd "$trabalho"
unset RPT_SCHEMA_FILE RPT_SOURCE_DIR RPT_PLUGINS FIREBIRD LD_LIBRARY_PATH
"$rpt" list >lista.txt || falha "rpt list"
grep -q "RptPayments" lista.txt || falha "rpt list sem RptPayments: $(cat lista.txt)"
"$rpt" describe RptPayments >form.txt || falha "rpt describe"
grep -q "pDataInicial" form.txt || falha "rpt describe sem pDataInicial: $(cat form.txt)"
"$rpt" demo-db demo.fdb >/dev/null || falha "rpt demo-db"
"$rpt" run RptPayments --db demo.fdb --param pCodigoEscrit=1 --param pDataInicial=01/01/2026 \
  --param pDataFinal=31/12/2026 --param pOrdenar=0 --out pagamentos.pdf >/dev/null || falha "rpt run"
[ -s pagamentos.pdf ] || falha "PDF não gerado"
pdftotext pagamentos.pdf texto.txt
grep -qF "Pagamentos entre 01/01/2026 a 31/12/2026" texto.txt || falha "título ausente do PDF: $(head -5 texto.txt)"
grep -qF "Construtora Horizonte Ltda" texto.txt || falha "empresa da demonstração ausente do PDF"
echo "Instalação em $prefixo: list, describe, demo-db e run funcionaram."
