#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and the demo need. Idempotent:
# only missing packages are installed. Runs apt as root, or through sudo otherwise.
set -euo pipefail

PACOTES=(
  build-essential cmake pkg-config
  libgtest-dev googletest libbenchmark-dev nlohmann-json3-dev libcli11-dev
  firebird3.0-server-core firebird3.0-utils libfbclient2 firebird-dev
  libcairo2-dev libpango1.0-dev libgdk-pixbuf-2.0-dev libxlsxwriter-dev python3-openpyxl
  fonts-liberation2 fonts-dejavu-core poppler-utils
  libcpp-httplib-dev chromium
)
# The browser test runs Playwright on Node; a Node from elsewhere (nodesource) brings its
# own npm, which Debian's npm package would conflict with.
command -v npm >/dev/null 2>&1 || PACOTES+=(nodejs npm)

faltando=()
for p in "${PACOTES[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || faltando+=("$p")
done
[ ${#faltando[@]} -eq 0 ] && exit 0

SUDO=""
[ "$(id -u)" -eq 0 ] || SUDO="sudo"
echo "Instalando: ${faltando[*]}" >&2
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${faltando[@]}"
