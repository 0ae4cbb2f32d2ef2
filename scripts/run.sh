#!/usr/bin/env bash
# The run command: installs what is missing, builds the client and the server (release), starts
# a local veld-server (or reuses the one this command started before) and starts veld pointed
# at it. Log in with any name (2-10 letters) and password (2-10 characters): new names are
# registered on the spot.
#   VELD_COMMUNITY_PORT (default 40013) and VELD_GAME_PORT (default 40015) choose the ports.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh
cmake --preset release >/dev/null
cmake --build --preset release --target veld veld-settings veld-server

community_port=${VELD_COMMUNITY_PORT:-40013}
game_port=${VELD_GAME_PORT:-40015}
data=${XDG_DATA_HOME:-$HOME/.local/share}/veld-server
mkdir -p "$data"
server=build/release/server/veld-server

# Reuse a server this command started, if it still runs.
pid_file="$data/server.pid"
if [[ -f "$pid_file" ]] && kill -0 "$(cat "$pid_file")" 2>/dev/null; then
    echo "Using the local veld-server already running (pid $(cat "$pid_file"))."
else
    log="$data/server.log"
    nohup "$server" --data "$data" --community-port "$community_port" \
        --game-ports "$game_port" --server-name "Veld 本機" >"$log" 2>&1 &
    echo $! >"$pid_file"
    for _ in $(seq 50); do
        grep -q "game server 1 listening" "$log" 2>/dev/null && break
        if ! kill -0 "$(cat "$pid_file")" 2>/dev/null; then
            echo "veld-server did not start:" >&2
            cat "$log" >&2
            exit 1
        fi
        sleep 0.1
    done
    echo "Started a local veld-server (pid $(cat "$pid_file"), data in $data, log $log)."
fi

build/release/desktop/veld-settings set comhost 127.0.0.1
build/release/desktop/veld-settings set comport "$community_port"

if [[ -z "${DISPLAY:-}" && -z "${WAYLAND_DISPLAY:-}" && -z "${QT_QPA_PLATFORM:-}" ]]; then
    echo "No display: run this on a desktop, or under xvfb-run." >&2
    exit 1
fi
exec build/release/desktop/veld
