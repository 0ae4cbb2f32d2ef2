#!/usr/bin/env bash
# Installs the Debian packages listed in scripts/deps.txt that are missing.
# Idempotent and silent when everything is already there.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)

missing=()
while read -r pkg; do
    [[ -z "$pkg" || "$pkg" == \#* ]] && continue
    status=$(dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null || true)
    [[ "$status" == "install ok installed" ]] || missing+=("$pkg")
done <"$here/deps.txt"

command -v npm >/dev/null 2>&1 || missing+=(npm)

if ((${#missing[@]} > 0)); then
    echo "Installing missing packages: ${missing[*]}"
    sudo=""
    [[ $(id -u) -ne 0 ]] && sudo="sudo"
    export DEBIAN_FRONTEND=noninteractive
    $sudo apt-get update -qq
    $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

# The reference SGF parser that the benchmark and the compatibility test compare against.
if [[ ! -d "$here/../tools/js/node_modules/@sabaki/sgf" ]]; then
    (cd "$here/../tools/js" && npm ci --silent --no-audit --no-fund >/dev/null)
fi
