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

((${#missing[@]} == 0)) && exit 0

echo "Installing missing packages: ${missing[*]}"
sudo=""
[[ $(id -u) -ne 0 ]] && sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
