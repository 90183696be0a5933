#!/usr/bin/env bash
# Installs (when missing) and starts a Firebird 3 server listening on 127.0.0.1
# only, creates the database the server test uses, and prints on stdout the
# export lines for it:
#   eval "$(scripts/start-fb-server.sh)"
# Everything else goes to stderr. Safe to run again: it changes nothing that is
# already in place.
set -euo pipefail

CONF=/etc/firebird/3.0/firebird.conf
SENHA_ARQ=/etc/firebird/3.0/SYSDBA.password
DADOS=/var/lib/firebird/3.0/data
BANCO="$DADOS/rpt_teste_servidor.fdb"
PORTA=3050

log() { echo "start-fb-server: $*" >&2; }
como_root() { if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi; }

porta_aberta() { (exec 3<>"/dev/tcp/127.0.0.1/$PORTA") 2>/dev/null; }

if ! dpkg -s firebird3.0-server >/dev/null 2>&1; then
  log "instalando firebird3.0-server"
  como_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -q firebird3.0-server >&2
fi

# Loopback only: the test server must not be reachable from outside.
if ! grep -Eq '^[[:space:]]*RemoteBindAddress[[:space:]]*=[[:space:]]*(127\.0\.0\.1|localhost)[[:space:]]*$' "$CONF"; then
  log "restringindo o servidor a 127.0.0.1"
  como_root sed -i -E '/^[[:space:]]*RemoteBindAddress[[:space:]]*=/d' "$CONF"
  echo "RemoteBindAddress = 127.0.0.1" | como_root tee -a "$CONF" >/dev/null
fi

if ! porta_aberta; then
  log "iniciando o servidor"
  if command -v systemctl >/dev/null 2>&1 && systemctl list-unit-files firebird3.0.service >/dev/null 2>&1 \
     && [ -d /run/systemd/system ]; then
    como_root systemctl start firebird3.0 >&2
  elif [ -x /etc/init.d/firebird3.0 ]; then
    como_root /etc/init.d/firebird3.0 start >&2
  else
    como_root runuser -u firebird -- /usr/sbin/fbguard -daemon -forever >&2
  fi
  for _ in $(seq 1 50); do porta_aberta && break; sleep 0.2; done
  porta_aberta || { log "o servidor não abriu a porta $PORTA"; exit 1; }
fi

[ -r "$SENHA_ARQ" ] || { log "sem permissão para ler $SENHA_ARQ"; exit 1; }
# The file holds ISC_USER=... and ISC_PASSWORD=... lines (quoted or not).
ISC_USER=$(sed -nE 's/^ISC_USER="?([^"]*)"?$/\1/p' "$SENHA_ARQ" | head -n1)
ISC_PASSWORD=$(sed -nE 's/^ISC_PASSWORD="?([^"]*)"?$/\1/p' "$SENHA_ARQ" | head -n1)
ISC_USER=${ISC_USER:-SYSDBA}
[ -n "$ISC_PASSWORD" ] || { log "senha do SYSDBA não encontrada em $SENHA_ARQ"; exit 1; }

if ! como_root test -f "$BANCO"; then
  log "criando $BANCO"
  echo "create database 'localhost:$BANCO' user '$ISC_USER' password '$ISC_PASSWORD' default character set UTF8;" \
    | ISC_USER= ISC_PASSWORD= isql-fb -q >&2
fi

printf 'export RPT_FB_SERVER=%q\n' "localhost:$BANCO"
printf 'export ISC_USER=%q\n' "$ISC_USER"
printf 'export ISC_PASSWORD=%q\n' "$ISC_PASSWORD"
