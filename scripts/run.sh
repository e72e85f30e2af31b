#!/usr/bin/env bash
# Installs what is missing, builds, starts the built-in OLT simulator with the
# demo scenario on a loopback port and opens the console connected to it.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/scripts/setup.sh"
"$root/scripts/build.sh" "${TERVIX_BUILD_TYPE:-Release}" tervix oltsim
build="${TERVIX_BUILD_DIR:-$root/build}"
port="${TERVIX_DEMO_PORT:-2323}"
user="${TERVIX_DEMO_USER:-admin}"
password="${TERVIX_DEMO_PASSWORD:-admin123}"
data="${TERVIX_DATA_DIR:-$root/demo-data}"
mkdir -p "$data"

if [ ! -x "$build/tools/oltsim/oltsim" ]; then
  echo "The OLT simulator is not built yet; nothing to run." >&2
  exit 1
fi
"$build/tools/oltsim/oltsim" --listen "127.0.0.1:$port" \
  --scenario "$root/tools/oltsim/scenarios/demo.json" \
  --user "$user" --password "$password" &
sim=$!
trap 'kill $sim 2>/dev/null || true' EXIT
sleep 1

if [ ! -x "$build/src/tervix" ]; then
  echo "The console window is not built yet; the simulator runs on 127.0.0.1:$port (Ctrl+C ends it)."
  wait $sim
  exit 0
fi
"$build/src/tervix" --data-dir "$data" --host "127.0.0.1:$port" \
  --login "$user" --password "$password" --connect
