#!/usr/bin/env bash
# Converts SGF collections to standard SGF with veld-sgf and checks with the reference parser
# @sabaki/sgf (under node) that every game keeps its main line move for move.
#   same_moves_as_reference.sh VELD_SGF TOOLS_JS FILE...
set -euo pipefail
veld_sgf=$1 tools_js=$2
shift 2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
for file in "$@"; do
    out="$work/$(basename "$file")"
    "$veld_sgf" to-sgf "$file" "$out"
    node "$tools_js/same_moves.js" "$file" "$out"
done
