#!/usr/bin/env bash
# Builds everything (installing what is missing), starts the stand-in server with the demo
# data and runs the client against it. With a display the client opens its window; without
# one the walkthrough program tours log in, open logs, search, mark OUT, the report search, the
# printed report, a new log recorded through the log form with a party entry and DCs from the DC
# list, a store PO attached to an open log, the reports, a scanned DC and the DC lists,
# offscreen, saving a screenshot per step under out/walkthrough/.
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
bash "$here/scripts/setup.sh" default

out="$here/out"
mkdir -p "$out"
rm -rf "$out/demo.sqlite" "$out/demo-files" "$out/walkthrough"
"$here/build/server/seclog-server" --db "$out/demo.sqlite" --files "$out/demo-files" --port 0 --demo \
    > "$out/server.log" 2>&1 &
server=$!
trap 'kill $server 2>/dev/null || true' EXIT

port=""
for _ in $(seq 1 100); do
    port=$(grep -o 'listening on 127.0.0.1:[0-9]*' "$out/server.log" | head -n1 | cut -d: -f2 || true)
    [ -n "$port" ] && break
    kill -0 $server 2>/dev/null || { cat "$out/server.log"; exit 1; }
    sleep 0.1
done
[ -n "$port" ] || { echo "run: the server did not start"; cat "$out/server.log"; exit 1; }
sed "s/127.0.0.1:8642/127.0.0.1:$port/g" "$here/config/servers.json" > "$out/servers.json"

export SECLOG_SERVERS="$out/servers.json"
export SECLOG_DEVICE_NAME="Gate-1 Handheld"
# The demo keeps its own settings and caches, away from a real installation's.
export XDG_CONFIG_HOME="$out/profile/config" XDG_CACHE_HOME="$out/profile/cache"
echo "run: stand-in server on 127.0.0.1:$port (log: out/server.log)"
echo "run: demo user 'demo', password 'demo', device \"$SECLOG_DEVICE_NAME\""

if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
    "$here/build/src/seclog"
else
    echo "run: no display: walking through offscreen"
    QT_QPA_PLATFORM=offscreen "$here/build/src/walkthrough/seclog-walkthrough" "$out/walkthrough"
    cp "$out/walkthrough/02-logged-in.png" "$out/logged-in.png"
    echo "run: screenshots in out/walkthrough/, the logged-in window in out/logged-in.png"
fi
